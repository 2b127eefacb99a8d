#include "RecordBase.h"

#include "DefaultRecord.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace trevalo::engine {

namespace {

bool IsReadOnly(const std::vector<Attribute>& attributes) {
    return std::ranges::any_of(attributes, [](const Attribute& attribute) {
        return attribute.column == kPacketAttribute && attribute.name == kAttrReadOnly &&
               attribute.type == AttrType::Boolean && attribute.value[0] == 1;
    });
}

} // namespace

Status RecordBase::Open(const std::uint8_t* packet, std::uint32_t length) {
    if (table_)
        return kInvalidState;
    if (!packet && length > 0)
        return kInvalidArgument;
    return Guarded([&] {
        PacketContent content;
        auto table = std::make_shared<RecordTable>();
        if (DecodePacket(packet, length, content) != kOk ||
            BuildDefaultRecord(content.layout, content.attributes, table->defaultRecord) != kOk)
            return kInvalidPacket;
        const std::uint32_t size = content.layout.Size();
        for (std::uint32_t row = 0; row < content.rowCount; ++row) {
            const auto begin = content.rows.begin() + static_cast<std::ptrdiff_t>(row) * size;
            table->records.push_back({table->nextId++, {begin, begin + size}});
        }
        table->readOnly = IsReadOnly(content.attributes);
        table->layout = std::move(content.layout);
        table->attributes = std::move(content.attributes);
        table_ = std::move(table);
        return kOk;
    });
}

Status RecordBase::GetColumnCount(std::uint32_t* count) {
    if (!table_)
        return kInvalidState;
    if (!count)
        return kInvalidArgument;
    *count = table_->layout.FieldCount();
    return kOk;
}

Status RecordBase::GetColumn(std::uint32_t index, ColumnDesc* column) {
    if (!table_)
        return kInvalidState;
    if (!column)
        return kInvalidArgument;
    if (index >= table_->layout.FieldCount())
        return kFieldOutOfRange;
    *column = table_->layout.Column(index);
    return kOk;
}

Status RecordBase::GetAttribute(std::int32_t column, const char* name, std::uint8_t* found,
                                AttrType* type, std::uint8_t* value, std::uint32_t* length) {
    if (!table_)
        return kInvalidState;
    if (!name || !found || !type || !length)
        return kInvalidArgument;
    if (column != kPacketAttribute &&
        (column < 0 || static_cast<std::uint32_t>(column) >= table_->layout.FieldCount()))
        return kFieldOutOfRange;
    const std::string_view wanted(name, strnlen(name, kMaxAttributeName + 1));
    const auto& attributes = table_->attributes;
    const auto match = std::ranges::find_if(attributes, [&](const Attribute& attribute) {
        return attribute.column == column && attribute.name == wanted;
    });
    if (match == attributes.end()) {
        *found = 0;
        return kOk;
    }
    const auto size = static_cast<std::uint32_t>(match->value.size());
    if (value && *length < size) {
        *length = size;
        return kBufferTooSmall;
    }
    *found = 1;
    *type = match->type;
    *length = size;
    if (value)
        std::memcpy(value, match->value.data(), size);
    return kOk;
}

} // namespace trevalo::engine
