#include "fuzz/EngineTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace trevalo::fuzz {

using namespace engine;

namespace {

template <class T> Ptr<T> Make(std::uint32_t classId, std::uint32_t interfaceId) {
    void* object = nullptr;
    if (GetClassObject(classId, interfaceId, &object) != kOk || !object)
        Disagree("the factory made no object");
    return Ptr<T>(static_cast<T*>(object));
}

ColumnDesc Column(std::string_view name, FieldType type, std::uint32_t width = 0,
                  bool readOnly = false) {
    ColumnDesc column{};
    std::memcpy(column.name, name.data(), name.size());
    column.type = type;
    column.width = width;
    column.readOnly = readOnly ? 1 : 0;
    return column;
}

struct SampleRecord {
    const char* name;
    std::optional<std::int32_t> init;
    std::optional<std::uint8_t> active;
    std::optional<double> rate;
};

} // namespace

void Disagree(const char* what) {
    std::fprintf(stderr, "disagreement: %s\n", what);
    std::abort();
}

const std::vector<ColumnDesc>& TableColumns() {
    static const std::vector<ColumnDesc> columns{
        Column("RecId", FieldType::Integer, 0, true),
        Column("ID", FieldType::Integer),
        Column("Name", FieldType::String, 50),
        Column("Init", FieldType::Integer),
        Column("Active", FieldType::Boolean),
        Column("Passes", FieldType::Integer),
        Column("Rate", FieldType::Float),
    };
    return columns;
}

Bytes TablePacket(const std::vector<Bytes>& defaults) {
    auto writer = Make<IPacketWriter>(kClassPacketWriter, kIidPacketWriter);
    if (writer->BeginPacket(static_cast<std::uint32_t>(TableColumns().size())) != kOk)
        Disagree("BeginPacket");
    for (const ColumnDesc& column : TableColumns())
        if (writer->AddColumn(column) != kOk)
            Disagree("AddColumn");
    for (const Bytes& value : defaults)
        if (writer->AddAttribute(kPacketAttribute, "DEFAULT_VALUE", AttrType::Expression,
                                 value.data(), static_cast<std::uint32_t>(value.size())) != kOk)
            return {};
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    if (writer->GetPacket(&data, &length) != kOk)
        return {};
    return Bytes(data, data + length);
}

std::optional<Table> Table::Open(const std::uint8_t* packet, std::uint32_t length) {
    Table table;
    table.base_ = Make<IRecordBase>(kClassRecordBase, kIidRecordBase);
    if (table.base_->Open(packet, length) != kOk)
        return std::nullopt;
    table.cursor_ = Make<IRecordCursor>(kClassRecordCursor, kIidRecordCursor);
    if (table.cursor_->Attach(table.base_.get()) != kOk ||
        table.cursor_->GetBufferSize(&table.bufferSize_) != kOk ||
        table.base_->GetColumnCount(&table.columnCount_) != kOk)
        Disagree("an opened base would not serve a cursor");
    return table;
}

void Table::AddSampleRecords() {
    static const SampleRecord samples[] = {
        {"Ann", 12, 1, 1.5},
        {nullptr, std::nullopt, std::nullopt, std::nullopt},
        {"\xC3\x98rn \xE6\x97\xA5", -3, 0, -0.25},
        {"", 2147483647, 1, 1e300},
    };
    for (const SampleRecord& sample : samples) {
        Bytes record = NewBuffer();
        if (cursor_->InitRecord(record.data()) != kOk)
            Disagree("InitRecord on the sample table");
        const std::int32_t* init = sample.init ? &*sample.init : nullptr;
        const std::uint8_t* active = sample.active ? &*sample.active : nullptr;
        const double* rate = sample.rate ? &*sample.rate : nullptr;
        if (cursor_->PutField(record.data(), 3, sample.name) != kOk ||
            cursor_->PutField(record.data(), 4, init) != kOk ||
            cursor_->PutField(record.data(), 5, active) != kOk ||
            cursor_->PutField(record.data(), 7, rate) != kOk ||
            cursor_->InsertRecord(record.data()) != kOk)
            Disagree("a sample record was refused");
    }
}

void Table::FillRecord(Bytes& record) {
    const std::int32_t integer = -7;
    const std::uint8_t boolean = 1;
    const double real = 2.5;
    for (std::uint32_t field = 1; field <= columnCount_; ++field) {
        ColumnDesc column{};
        if (base_->GetColumn(field - 1, &column) != kOk)
            Disagree("GetColumn within the count");
        const void* value = nullptr;
        switch (column.type) {
        case FieldType::String:
            value = "x\xC3\xA9";
            break;
        case FieldType::Integer:
            value = &integer;
            break;
        case FieldType::Boolean:
            value = &boolean;
            break;
        case FieldType::Float:
            value = &real;
            break;
        }
        cursor_->PutField(record.data(), field, value);
    }
}

void Table::ReadEveryField(const Bytes& record) {
    for (std::uint32_t field = 1; field <= columnCount_; ++field) {
        ColumnDesc column{};
        if (base_->GetColumn(field - 1, &column) != kOk)
            Disagree("GetColumn within the count");
        Bytes value(std::max<std::size_t>(sizeof(double), std::size_t{column.width} * 4 + 1));
        std::uint8_t blank = 0;
        if (cursor_->GetField(record.data(), field, value.data(), &blank) != kOk)
            Disagree("GetField of a stored record");
        if (!blank && column.type == FieldType::String &&
            std::find(value.begin(), value.end(), 0) == value.end())
            Disagree("a string came back without its terminator");
    }
}

void Table::WalkBothWays() {
    Bytes record = NewBuffer();
    std::size_t forward = 0;
    std::size_t backward = 0;
    if (cursor_->MoveToBof() != kOk)
        Disagree("MoveToBof");
    Status status = kOk;
    while ((status = cursor_->MoveBy(1)) == kOk) {
        if (cursor_->GetCurrentRecord(record.data(), nullptr) != kOk)
            Disagree("no current record after a move");
        ReadEveryField(record);
        ++forward;
    }
    if (status != kEof)
        Disagree("a forward walk ended without the end code");
    if (cursor_->MoveToEof() != kOk)
        Disagree("MoveToEof");
    while ((status = cursor_->MoveBy(-1)) == kOk) {
        if (cursor_->GetCurrentRecord(record.data(), nullptr) != kOk)
            Disagree("no current record after a move");
        ++backward;
    }
    if (status != kBof)
        Disagree("a backward walk ended without the beginning code");
    if (forward != backward)
        Disagree("the walks both ways saw different counts");
}

Table& SampleTable() {
    static Table table = [] {
        const Bytes packet = TablePacket({});
        auto opened = Table::Open(packet.data(), static_cast<std::uint32_t>(packet.size()));
        if (!opened)
            Disagree("the sample table was refused");
        opened->AddSampleRecords();
        return std::move(*opened);
    }();
    return table;
}

} // namespace trevalo::fuzz
