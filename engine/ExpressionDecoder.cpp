#include "ExpressionDecoder.h"

#include "Utf8.h"

#include <cmath>
#include <string_view>

namespace trevalo::engine {

namespace {

// Bounds the recursion of decoding and evaluation, whatever the bytes say.
constexpr unsigned kMaxDepth = 200;

bool IsComparison(Op op) {
    return op == Op::Equal || op == Op::NotEqual || op == Op::Less || op == Op::LessEqual ||
           op == Op::Greater || op == Op::GreaterEqual;
}

} // namespace

Status ExpressionDecoder::DecodeCondition(const RecordLayout& layout, const std::uint8_t* bytes,
                                          std::uint32_t length, Expression& expression) {
    Expression decoded;
    decoded.bytes_.assign(bytes, bytes + length);
    ExpressionDecoder decoder(layout, decoded.bytes_.data(), length, decoded.nodes_);
    std::uint32_t root = 0;
    Kind kind = Kind::Null;
    if (const Status status = decoder.DecodeNode(0, root, kind); status != kOk)
        return status;
    if (!IsTruth(kind) || !decoder.reader_.AtEnd())
        return kInvalidExpression;
    expression = std::move(decoded);
    return kOk;
}

Status ExpressionDecoder::DecodeAssignment(const RecordLayout& layout, const std::uint8_t* bytes,
                                           std::uint32_t length, std::uint32_t& field,
                                           Value& constant) {
    std::vector<DecodedNode> unused;
    ExpressionDecoder decoder(layout, bytes, length, unused);
    std::uint8_t assign = 0;
    std::uint8_t op = 0;
    Kind kind = Kind::Null;
    if (!decoder.reader_.ReadU8(assign) || assign != static_cast<std::uint8_t>(Op::Assign))
        return kInvalidExpression;
    if (const Status status = decoder.ReadFieldNumber(field); status != kOk)
        return status;
    if (!decoder.reader_.ReadU8(op))
        return kInvalidExpression;
    if (const Status status = decoder.ReadConstant(static_cast<Op>(op), constant, kind);
        status != kOk)
        return status;
    return decoder.reader_.AtEnd() ? kOk : kInvalidExpression;
}

bool ExpressionDecoder::IsTruth(Kind kind) {
    return kind == Kind::Condition || kind == Kind::Boolean || kind == Kind::Null;
}

Status ExpressionDecoder::DecodeNode(unsigned depth, std::uint32_t& index, Kind& kind) {
    std::uint8_t code = 0;
    if (depth > kMaxDepth || !reader_.ReadU8(code))
        return kInvalidExpression;
    const auto op = static_cast<Op>(code);
    index = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back(DecodedNode{op});

    if (op == Op::Field) {
        std::uint32_t field = 0;
        if (const Status status = ReadFieldNumber(field); status != kOk)
            return status;
        nodes_[index].field = field;
        switch (layout_.Column(field).type) {
        case FieldType::Boolean:
            kind = Kind::Boolean;
            break;
        case FieldType::String:
            kind = Kind::String;
            break;
        default:
            kind = Kind::Number;
        }
        return kOk;
    }
    if (op == Op::And || op == Op::Or || op == Op::Not) {
        Kind first = Kind::Null;
        Kind second = Kind::Null;
        if (const Status status = DecodeChild(depth, index, false, first); status != kOk)
            return status;
        if (op != Op::Not)
            if (const Status status = DecodeChild(depth, index, true, second); status != kOk)
                return status;
        kind = Kind::Condition;
        return IsTruth(first) && IsTruth(second) ? kOk : kInvalidExpression;
    }
    if (IsComparison(op)) {
        Kind first = Kind::Null;
        Kind second = Kind::Null;
        if (const Status status = DecodeChild(depth, index, false, first); status != kOk)
            return status;
        if (const Status status = DecodeChild(depth, index, true, second); status != kOk)
            return status;
        kind = Kind::Condition;
        if (first == Kind::Condition || second == Kind::Condition)
            return kInvalidExpression;
        return first == second || first == Kind::Null || second == Kind::Null ? kOk : kTypeMismatch;
    }
    Value constant;
    if (const Status status = ReadConstant(op, constant, kind); status != kOk)
        return status;
    nodes_[index].constant = constant;
    return kOk;
}

Status ExpressionDecoder::DecodeChild(unsigned depth, std::uint32_t parent, bool second,
                                      Kind& kind) {
    std::uint32_t child = 0;
    const Status status = DecodeNode(depth + 1, child, kind);
    (second ? nodes_[parent].second : nodes_[parent].first) = child;
    return status;
}

Status ExpressionDecoder::ReadFieldNumber(std::uint32_t& field) {
    std::uint16_t number = 0;
    if (!reader_.ReadU16(number) || number == 0 || number > layout_.FieldCount())
        return kInvalidExpression;
    field = number - 1u;
    return kOk;
}

Status ExpressionDecoder::ReadConstant(Op op, Value& value, Kind& kind) {
    switch (op) {
    case Op::Integer: {
        std::int32_t integer = 0;
        if (!reader_.ReadI32(integer))
            return kInvalidExpression;
        value = integer;
        kind = Kind::Number;
        return kOk;
    }
    case Op::Float: {
        double real = 0;
        if (!reader_.ReadF64(real) || !std::isfinite(real))
            return kInvalidExpression;
        value = real;
        kind = Kind::Number;
        return kOk;
    }
    case Op::Boolean: {
        std::uint8_t boolean = 0;
        if (!reader_.ReadU8(boolean) || boolean > 1)
            return kInvalidExpression;
        value = boolean == 1;
        kind = Kind::Boolean;
        return kOk;
    }
    case Op::String: {
        std::uint32_t length = 0;
        const std::uint8_t* bytes = nullptr;
        if (!reader_.ReadU32(length) || !reader_.ReadBytes(length, bytes))
            return kInvalidExpression;
        const std::string_view text(reinterpret_cast<const char*>(bytes), length);
        if (!CountCodePoints(text) || text.find('\0') != std::string_view::npos)
            return kInvalidExpression;
        value = text;
        kind = Kind::String;
        return kOk;
    }
    case Op::Null:
        value = std::monostate{};
        kind = Kind::Null;
        return kOk;
    default:
        return kInvalidExpression;
    }
}

} // namespace trevalo::engine
