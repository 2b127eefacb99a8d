#include "Expression.h"

#include <algorithm>

namespace trevalo::engine {

namespace {

Truth Negate(Truth truth) {
    switch (truth) {
    case Truth::False:
        return Truth::True;
    case Truth::True:
        return Truth::False;
    case Truth::Unknown:
        break;
    }
    return Truth::Unknown;
}

Truth FromBool(bool value) {
    return value ? Truth::True : Truth::False;
}

Truth ApplyComparison(Op op, int order) {
    switch (op) {
    case Op::Equal:
        return FromBool(order == 0);
    case Op::NotEqual:
        return FromBool(order != 0);
    case Op::Less:
        return FromBool(order < 0);
    case Op::LessEqual:
        return FromBool(order <= 0);
    case Op::Greater:
        return FromBool(order > 0);
    default:
        return FromBool(order >= 0);
    }
}

} // namespace

Truth Expression::Evaluate(const RecordLayout& layout, const std::uint8_t* record) const {
    return TruthOf(0, layout, record);
}

Truth Expression::TruthOf(std::uint32_t node, const RecordLayout& layout,
                          const std::uint8_t* record) const {
    const DecodedNode& n = nodes_[node];
    switch (n.op) {
    case Op::And:
        return std::min(TruthOf(n.first, layout, record), TruthOf(n.second, layout, record));
    case Op::Or:
        return std::max(TruthOf(n.first, layout, record), TruthOf(n.second, layout, record));
    case Op::Not:
        return Negate(TruthOf(n.first, layout, record));
    case Op::Equal:
    case Op::NotEqual:
    case Op::Less:
    case Op::LessEqual:
    case Op::Greater:
    case Op::GreaterEqual: {
        const auto order =
            Compare(ValueOf(n.first, layout, record), ValueOf(n.second, layout, record));
        return order ? ApplyComparison(n.op, *order) : Truth::Unknown;
    }
    default: {
        const Value value = ValueOf(node, layout, record);
        const auto* boolean = std::get_if<bool>(&value);
        return boolean ? FromBool(*boolean) : Truth::Unknown;
    }
    }
}

Value Expression::ValueOf(std::uint32_t node, const RecordLayout& layout,
                          const std::uint8_t* record) const {
    const DecodedNode& n = nodes_[node];
    return n.op == Op::Field ? layout.Read(record, n.field) : n.constant;
}

} // namespace trevalo::engine
