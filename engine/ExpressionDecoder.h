/// \file
/// Checks expression bytes fully and turns them into an Expression or a column default.
#pragma once

#include "ByteReader.h"
#include "EngineContract.h"
#include "Expression.h"
#include "RecordLayout.h"
#include "Value.h"

#include <cstdint>
#include <vector>

namespace trevalo::engine {

/// Malformed or truncated bytes, unknown opcodes, bad field numbers, nesting deeper than a
/// fixed limit, trailing bytes and non-boolean conditions answer kInvalidExpression; a
/// comparison between values of different kinds answers kTypeMismatch.
class ExpressionDecoder {
public:
    /// A condition whose root is a logical operator, a comparison, or a boolean value.
    static Status DecodeCondition(const RecordLayout& layout, const std::uint8_t* bytes,
                                  std::uint32_t length, Expression& expression);
    /// A column default: Op::Assign, a field number, one constant. Text in \p constant
    /// borrows from \p bytes.
    static Status DecodeAssignment(const RecordLayout& layout, const std::uint8_t* bytes,
                                   std::uint32_t length, std::uint32_t& field, Value& constant);

private:
    /// What a node yields, as far as type checking needs it.
    enum class Kind { Null, Number, Boolean, String, Condition };

    ExpressionDecoder(const RecordLayout& layout, const std::uint8_t* bytes, std::uint32_t length,
                      std::vector<DecodedNode>& nodes)
        : layout_(layout)
        , reader_(bytes, length)
        , nodes_(nodes) {}

    static bool IsTruth(Kind kind);
    Status DecodeNode(unsigned depth, std::uint32_t& index, Kind& kind);
    Status DecodeChild(unsigned depth, std::uint32_t parent, bool second, Kind& kind);
    Status ReadFieldNumber(std::uint32_t& field);
    Status ReadConstant(Op op, Value& value, Kind& kind);

    const RecordLayout& layout_;
    ByteReader reader_;
    std::vector<DecodedNode>& nodes_;
};

} // namespace trevalo::engine
