#include "DefaultRecord.h"

#include "ExpressionDecoder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string_view>

namespace trevalo::engine {

namespace {

bool EqualsIgnoringCase(std::string_view left, std::string_view right) {
    return std::ranges::equal(left, right, [](char l, char r) {
        return std::tolower(static_cast<unsigned char>(l)) ==
               std::tolower(static_cast<unsigned char>(r));
    });
}

/// \p constant converted to what a field of \p type holds.
Status Convert(const Value& constant, FieldType type, Value& converted) {
    converted = constant;
    if (type == FieldType::Integer) {
        if (const auto* real = std::get_if<double>(&constant)) {
            const double rounded = std::round(*real);
            if (rounded < std::numeric_limits<std::int32_t>::min() ||
                rounded > std::numeric_limits<std::int32_t>::max())
                return kInvalidArgument;
            converted = static_cast<std::int32_t>(rounded);
        }
    } else if (type == FieldType::Float) {
        if (const auto* integer = std::get_if<std::int32_t>(&constant))
            converted = static_cast<double>(*integer);
    } else if (type == FieldType::Boolean) {
        if (const auto* text = std::get_if<std::string_view>(&constant)) {
            if (EqualsIgnoringCase(*text, "True"))
                converted = true;
            else if (EqualsIgnoringCase(*text, "False"))
                converted = false;
            else
                return kTypeMismatch;
        }
    }
    return kOk;
}

} // namespace

Status BuildDefaultRecord(const RecordLayout& layout, const std::vector<Attribute>& attributes,
                          std::vector<std::uint8_t>& record) {
    record.assign(layout.Size(), 0);
    for (const Attribute& attribute : attributes) {
        if (attribute.column != kPacketAttribute || attribute.name != kAttrDefaultValue)
            continue;
        if (attribute.type != AttrType::Expression)
            return kInvalidExpression;
        std::uint32_t field = 0;
        Value constant;
        if (const Status status = ExpressionDecoder::DecodeAssignment(
                layout, attribute.value.data(), static_cast<std::uint32_t>(attribute.value.size()),
                field, constant);
            status != kOk)
            return status;
        Value converted;
        if (const Status status = Convert(constant, layout.Column(field).type, converted);
            status != kOk)
            return status;
        if (const Status status = layout.Write(record.data(), field, converted); status != kOk)
            return status;
    }
    return kOk;
}

} // namespace trevalo::engine
