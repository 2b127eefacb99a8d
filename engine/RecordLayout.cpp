#include "RecordLayout.h"

#include "Utf8.h"

#include <cmath>
#include <cstring>
#include <string_view>

namespace trevalo::engine {

namespace {

constexpr std::uint32_t kMaxStringWidth = 65535;
constexpr std::uint64_t kMaxRecordSize = 1u << 24;
constexpr std::uint8_t kPresent = 1;

std::uint32_t SlotSize(const ColumnDesc& column) {
    switch (column.type) {
    case FieldType::Integer:
        return sizeof(std::int32_t);
    case FieldType::Float:
        return sizeof(double);
    case FieldType::Boolean:
        return 1;
    case FieldType::String:
        return column.width * 4 + 1;
    }
    return 0;
}

bool IsKnownType(FieldType type) {
    return type == FieldType::String || type == FieldType::Integer || type == FieldType::Boolean ||
           type == FieldType::Float;
}

} // namespace

Status RecordLayout::AddColumn(const ColumnDesc& column) {
    const std::size_t nameLength = strnlen(column.name, sizeof column.name);
    if (nameLength == 0 || nameLength == sizeof column.name ||
        !CountCodePoints({column.name, nameLength}))
        return kInvalidArgument;
    if (!IsKnownType(column.type) || column.readOnly > 1 || column.required > 1 ||
        column.hidden > 1)
        return kInvalidArgument;
    const bool isString = column.type == FieldType::String;
    if (isString ? column.width == 0 || column.width > kMaxStringWidth : column.width != 0)
        return kInvalidArgument;
    const std::uint32_t valueSize = SlotSize(column);
    if (fields_.size() == kMaxFields || size_ + 1ull + valueSize > kMaxRecordSize)
        return kInvalidArgument;

    Field field{ColumnDesc{}, size_, valueSize};
    std::memcpy(field.column.name, column.name, nameLength);
    field.column.type = column.type;
    field.column.width = column.width;
    field.column.readOnly = column.readOnly;
    field.column.required = column.required;
    field.column.hidden = column.hidden;
    fields_.push_back(field);
    size_ += 1 + valueSize;
    return kOk;
}

Status RecordLayout::CheckRecord(const std::uint8_t* record) const {
    for (const Field& field : fields_) {
        Value value;
        if (const Status status = Extract(record, field, value); status != kOk)
            return status;
        if (const Status status = CheckValue(value, field.column); status != kOk)
            return status;
    }
    return kOk;
}

Value RecordLayout::Read(const std::uint8_t* record, std::uint32_t index) const {
    Value value;
    Extract(record, fields_[index], value);
    return value;
}

Status RecordLayout::Write(std::uint8_t* record, std::uint32_t index, const Value& value) const {
    const Field& field = fields_[index];
    if (const Status status = CheckValue(value, field.column); status != kOk)
        return status;
    std::uint8_t* slot = record + field.offset + 1;
    std::memset(slot, 0, field.valueSize);
    record[field.offset] = std::holds_alternative<std::monostate>(value) ? 0 : kPresent;
    if (const auto* integer = std::get_if<std::int32_t>(&value))
        std::memcpy(slot, integer, sizeof *integer);
    else if (const auto* real = std::get_if<double>(&value))
        std::memcpy(slot, real, sizeof *real);
    else if (const auto* boolean = std::get_if<bool>(&value))
        slot[0] = *boolean ? 1 : 0;
    else if (const auto* text = std::get_if<std::string_view>(&value))
        std::memcpy(slot, text->data(), text->size());
    return kOk;
}

Status RecordLayout::Export(const std::uint8_t* record, std::uint32_t index, void* value,
                            std::uint8_t* blank) const {
    const Field& field = fields_[index];
    Value current;
    if (const Status status = Extract(record, field, current); status != kOk)
        return status;
    if (const Status status = CheckValue(current, field.column); status != kOk)
        return status;
    *blank = std::holds_alternative<std::monostate>(current) ? 1 : 0;
    if (*blank || !value)
        return kOk;
    auto* out = static_cast<std::uint8_t*>(value);
    if (const auto* boolean = std::get_if<bool>(&current)) {
        out[0] = *boolean ? 1 : 0;
    } else if (const auto* text = std::get_if<std::string_view>(&current)) {
        std::memcpy(out, text->data(), text->size());
        out[text->size()] = 0;
    } else {
        std::memcpy(out, record + field.offset + 1, field.valueSize);
    }
    return kOk;
}

Status RecordLayout::Import(std::uint8_t* record, std::uint32_t index, const void* value) const {
    const Field& field = fields_[index];
    if (!value)
        return Write(record, index, std::monostate{});
    switch (field.column.type) {
    case FieldType::Integer: {
        std::int32_t integer = 0;
        std::memcpy(&integer, value, sizeof integer);
        return Write(record, index, integer);
    }
    case FieldType::Float: {
        double real = 0;
        std::memcpy(&real, value, sizeof real);
        return Write(record, index, real);
    }
    case FieldType::Boolean: {
        const std::uint8_t byte = *static_cast<const std::uint8_t*>(value);
        if (byte > 1)
            return kInvalidArgument;
        return Write(record, index, byte == 1);
    }
    case FieldType::String: {
        // A text that does not end within width*4 bytes has more than width code points.
        const auto* text = static_cast<const char*>(value);
        const std::size_t length = strnlen(text, field.valueSize);
        if (length == field.valueSize)
            return kValueTooLong;
        return Write(record, index, std::string_view(text, length));
    }
    }
    return kInvalidArgument;
}

Status RecordLayout::Extract(const std::uint8_t* record, const Field& field, Value& value) const {
    const std::uint8_t presence = record[field.offset];
    const std::uint8_t* slot = record + field.offset + 1;
    if (presence > kPresent)
        return kInvalidArgument;
    if (presence == 0) {
        value = std::monostate{};
        return kOk;
    }
    switch (field.column.type) {
    case FieldType::Integer: {
        std::int32_t integer = 0;
        std::memcpy(&integer, slot, sizeof integer);
        value = integer;
        return kOk;
    }
    case FieldType::Float: {
        double real = 0;
        std::memcpy(&real, slot, sizeof real);
        value = real;
        return kOk;
    }
    case FieldType::Boolean:
        if (slot[0] > 1)
            return kInvalidArgument;
        value = slot[0] == 1;
        return kOk;
    case FieldType::String: {
        const void* end = std::memchr(slot, 0, field.valueSize);
        if (!end)
            return kInvalidArgument;
        value = std::string_view(reinterpret_cast<const char*>(slot),
                                 static_cast<const std::uint8_t*>(end) - slot);
        return kOk;
    }
    }
    return kInvalidArgument;
}

Status RecordLayout::CheckValue(const Value& value, const ColumnDesc& column) {
    switch (column.type) {
    case FieldType::Integer:
        return std::holds_alternative<std::monostate>(value) ||
                       std::holds_alternative<std::int32_t>(value)
                   ? kOk
                   : kTypeMismatch;
    case FieldType::Boolean:
        return std::holds_alternative<std::monostate>(value) || std::holds_alternative<bool>(value)
                   ? kOk
                   : kTypeMismatch;
    case FieldType::Float:
        if (const auto* real = std::get_if<double>(&value))
            return std::isfinite(*real) ? kOk : kInvalidArgument;
        return std::holds_alternative<std::monostate>(value) ? kOk : kTypeMismatch;
    case FieldType::String:
        if (const auto* text = std::get_if<std::string_view>(&value)) {
            const auto length = CountCodePoints(*text);
            if (!length || text->find('\0') != std::string_view::npos)
                return kInvalidArgument;
            return *length > column.width ? kValueTooLong : kOk;
        }
        return std::holds_alternative<std::monostate>(value) ? kOk : kTypeMismatch;
    }
    return kTypeMismatch;
}

} // namespace trevalo::engine
