#include "tests/engine/EngineHarness.h"

#include <QCoreApplication>
#include <QLibrary>
#include <bit>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>

namespace trevalo::engine::test {

namespace {

template <class T> Ptr<T> Make(std::uint32_t classId, std::uint32_t interfaceId) {
    void* object = nullptr;
    const Status status = Library().getClassObject(classId, interfaceId, &object);
    if (status != kOk || !object)
        throw std::runtime_error("GetClassObject failed");
    return Ptr<T>(static_cast<T*>(object));
}

void AppendLittleEndian(Bytes& out, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

} // namespace

const Exports& Library() {
    static QLibrary library(QCoreApplication::applicationDirPath() + "/libtrevalo_engine.so");
    static const Exports exports = [] {
        if (!library.load())
            throw std::runtime_error(library.errorString().toStdString());
        return Exports{
            reinterpret_cast<GetInterfaceVersionFn>(library.resolve(kGetInterfaceVersionName)),
            reinterpret_cast<GetClassObjectFn>(library.resolve(kGetClassObjectName)),
            reinterpret_cast<RegisterServerFn>(library.resolve(kRegisterServerName))};
    }();
    return exports;
}

Ptr<IPacketWriter> MakeWriter() {
    return Make<IPacketWriter>(kClassPacketWriter, kIidPacketWriter);
}
Ptr<IRecordBase> MakeBase() {
    return Make<IRecordBase>(kClassRecordBase, kIidRecordBase);
}
Ptr<IRecordCursor> MakeCursor() {
    return Make<IRecordCursor>(kClassRecordCursor, kIidRecordCursor);
}

namespace expr {

Bytes Field(std::uint16_t number) {
    Bytes out{static_cast<std::uint8_t>(Op::Field)};
    AppendLittleEndian(out, number, 2);
    return out;
}

Bytes Int(std::int32_t value) {
    Bytes out{static_cast<std::uint8_t>(Op::Integer)};
    AppendLittleEndian(out, static_cast<std::uint32_t>(value), 4);
    return out;
}

Bytes Bool(bool value) {
    return {static_cast<std::uint8_t>(Op::Boolean), static_cast<std::uint8_t>(value ? 1 : 0)};
}

Bytes Str(std::string_view text) {
    Bytes out{static_cast<std::uint8_t>(Op::String)};
    AppendLittleEndian(out, text.size(), 4);
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

Bytes Real(double value) {
    Bytes out{static_cast<std::uint8_t>(Op::Float)};
    AppendLittleEndian(out, std::bit_cast<std::uint64_t>(value), 8);
    return out;
}

Bytes Null() {
    return {static_cast<std::uint8_t>(Op::Null)};
}

Bytes Binary(Op op, const Bytes& left, const Bytes& right) {
    return Concat({{static_cast<std::uint8_t>(op)}, left, right});
}

Bytes Not(const Bytes& operand) {
    return Concat({{static_cast<std::uint8_t>(Op::Not)}, operand});
}

Bytes Assign(std::uint16_t field, const Bytes& constant) {
    Bytes out{static_cast<std::uint8_t>(Op::Assign)};
    AppendLittleEndian(out, field, 2);
    return Concat({out, constant});
}

} // namespace expr

ColumnDesc Column(std::string_view name, FieldType type, std::uint32_t width, bool readOnly) {
    ColumnDesc column{};
    std::memcpy(column.name, name.data(), std::min(name.size(), sizeof column.name));
    column.type = type;
    column.width = width;
    column.readOnly = readOnly ? 1 : 0;
    return column;
}

Bytes BuildPacket(const std::vector<ColumnDesc>& columns, const std::vector<Bytes>& defaults,
                  Status* status) {
    auto writer = MakeWriter();
    EXPECT_EQ(writer->BeginPacket(static_cast<std::uint32_t>(columns.size())), kOk);
    for (const ColumnDesc& column : columns)
        EXPECT_EQ(writer->AddColumn(column), kOk) << column.name;
    for (const Bytes& value : defaults)
        EXPECT_EQ(writer->AddAttribute(kPacketAttribute, "DEFAULT_VALUE", AttrType::Expression,
                                       value.data(), static_cast<std::uint32_t>(value.size())),
                  kOk);
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    const Status got = writer->GetPacket(&data, &length);
    if (status)
        *status = got;
    else
        EXPECT_EQ(got, kOk);
    return got == kOk ? Bytes(data, data + length) : Bytes{};
}

Bytes CombatantPacket() {
    return BuildPacket(
        {Column("RecId", FieldType::Integer, 0, true), Column("ID", FieldType::Integer),
         Column("Name", FieldType::String, 50), Column("Init", FieldType::Integer),
         Column("Active", FieldType::Boolean), Column("Passes", FieldType::Integer)},
        {expr::Assign(kActive, expr::Bool(true)), expr::Assign(kPasses, expr::Real(1.0))});
}

View::View(const Bytes& packet)
    : base_(MakeBase())
    , cursor_(MakeCursor()) {
    EXPECT_EQ(base_->Open(packet.data(), static_cast<std::uint32_t>(packet.size())), kOk);
    EXPECT_EQ(cursor_->Attach(base_.get()), kOk);
    EXPECT_EQ(cursor_->GetBufferSize(&bufferSize_), kOk);
}

Bytes View::NewRecord() {
    Bytes record(bufferSize_);
    EXPECT_EQ(cursor_->InitRecord(record.data()), kOk);
    return record;
}

std::optional<Bytes> View::CurrentRecord() {
    Bytes record(bufferSize_);
    const Status status = cursor_->GetCurrentRecord(record.data(), nullptr);
    if (status == kOk)
        return record;
    EXPECT_EQ(status, kNoCurrentRecord);
    return std::nullopt;
}

std::optional<std::int32_t> View::Integer(const Bytes& record, std::uint32_t field) {
    std::int32_t value = 0;
    std::uint8_t blank = 0;
    EXPECT_EQ(cursor_->GetField(record.data(), field, &value, &blank), kOk);
    return blank ? std::nullopt : std::optional(value);
}

std::optional<bool> View::Boolean(const Bytes& record, std::uint32_t field) {
    std::uint8_t value = 0;
    std::uint8_t blank = 0;
    EXPECT_EQ(cursor_->GetField(record.data(), field, &value, &blank), kOk);
    return blank ? std::nullopt : std::optional(value == 1);
}

std::optional<std::string> View::Text(const Bytes& record, std::uint32_t field) {
    ColumnDesc column{};
    EXPECT_EQ(base_->GetColumn(field - 1, &column), kOk);
    std::string value(column.width * 4 + 1, '\xAA');
    std::uint8_t blank = 0;
    EXPECT_EQ(cursor_->GetField(record.data(), field, value.data(), &blank), kOk);
    if (blank)
        return std::nullopt;
    value.resize(std::strlen(value.c_str()));
    return value;
}

Bytes View::Combatant(std::string_view shape) {
    const bool active = !shape.ends_with('-');
    const std::string name(active ? shape : shape.substr(0, shape.size() - 1));
    const std::uint8_t flag = active ? 1 : 0;
    Bytes record = NewRecord();
    EXPECT_EQ(cursor_->PutField(record.data(), kName, name.c_str()), kOk);
    EXPECT_EQ(cursor_->PutField(record.data(), kActive, &flag), kOk);
    return record;
}

std::string View::CurrentName() {
    const auto record = CurrentRecord();
    return record ? Text(*record, kName).value_or("?") : "";
}

std::string View::VisibleNames() {
    std::string names;
    EXPECT_EQ(cursor_->MoveToBof(), kOk);
    while (cursor_->MoveBy(1) == kOk)
        names += (names.empty() ? "" : " ") + CurrentName();
    return names;
}

std::uint32_t View::FilterActive() {
    const Bytes filter = expr::Binary(Op::Equal, expr::Field(kActive), expr::Bool(true));
    std::uint32_t handle = 0;
    EXPECT_EQ(cursor_->AddFilter(filter.data(), static_cast<std::uint32_t>(filter.size()), &handle),
              kOk);
    return handle;
}

} // namespace trevalo::engine::test
