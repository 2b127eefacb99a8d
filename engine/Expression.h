/// \file
/// A checked filter condition and its three-valued evaluation against a record.
#pragma once

#include "EngineContract.h"
#include "RecordLayout.h"
#include "Value.h"

#include <cstdint>
#include <vector>

namespace trevalo::engine {

/// Kleene's three truth values, ordered so that AND is the minimum and OR the maximum.
enum class Truth : std::uint8_t { False, Unknown, True };

/// One node of a decoded expression; children are indices into the same node list.
struct DecodedNode {
    Op op;
    std::uint32_t field = 0; ///< 0-based, for Op::Field
    Value constant{};        ///< for the constant opcodes; text points into the owned bytes
    std::uint32_t first = 0;
    std::uint32_t second = 0;
};

/// Made only by ExpressionDecoder, which has checked every node, field number and type, so
/// evaluation cannot fail. Moves keep the borrowed text valid; copies would not.
class Expression {
public:
    Expression() = default;
    Expression(Expression&&) = default;
    Expression& operator=(Expression&&) = default;
    Expression(const Expression&) = delete;
    Expression& operator=(const Expression&) = delete;

    /// A comparison with a blank side is Unknown; the record passes unless this is False.
    Truth Evaluate(const RecordLayout& layout, const std::uint8_t* record) const;

private:
    friend class ExpressionDecoder;

    Truth TruthOf(std::uint32_t node, const RecordLayout& layout, const std::uint8_t* record) const;
    Value ValueOf(std::uint32_t node, const RecordLayout& layout, const std::uint8_t* record) const;

    std::vector<std::uint8_t> bytes_;
    std::vector<DecodedNode> nodes_; ///< the root first
};

} // namespace trevalo::engine
