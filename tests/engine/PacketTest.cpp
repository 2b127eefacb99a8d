// Writing packets and opening them: columns, attributes, rows, and damaged bytes.
#include "tests/engine/EngineHarness.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace trevalo::engine::test {

namespace {

Bytes Packet(IPacketWriter& writer, Status expected = kOk) {
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    EXPECT_EQ(writer.GetPacket(&data, &length), expected);
    return expected == kOk ? Bytes(data, data + length) : Bytes{};
}

Status Open(IRecordBase& base, const Bytes& packet) {
    return base.Open(packet.data(), static_cast<std::uint32_t>(packet.size()));
}

Status AddAttribute(IPacketWriter& writer, std::int32_t column, const char* name, AttrType type,
                    const Bytes& value) {
    return writer.AddAttribute(column, name, type, value.data(),
                               static_cast<std::uint32_t>(value.size()));
}

TEST(PacketWriter, EmptyPacketHasHeaderAndOpens) {
    auto writer = MakeWriter();
    ASSERT_EQ(writer->BeginPacket(0), kOk);
    const Bytes packet = Packet(*writer);
    EXPECT_GE(packet.size(), 22u);
    auto base = MakeBase();
    ASSERT_EQ(Open(*base, packet), kOk);
    std::uint32_t count = 99;
    EXPECT_EQ(base->GetColumnCount(&count), kOk);
    EXPECT_EQ(count, 0u);
}

TEST(PacketWriter, ChecksEachColumn) {
    ColumnDesc badFlag = Column("Flag", FieldType::Boolean);
    badFlag.hidden = 2;
    const std::pair<ColumnDesc, Status> cases[] = {
        {Column(std::string(31, 'n'), FieldType::Integer), kOk},
        {Column(std::string(32, 'n'), FieldType::Integer), kInvalidArgument},
        {Column("", FieldType::Integer), kInvalidArgument},
        {Column("\xFF", FieldType::Integer), kInvalidArgument},
        {Column("Name", FieldType::String, 0), kInvalidArgument},
        {Column("Init", FieldType::Integer, 4), kInvalidArgument},
        {Column("Odd", static_cast<FieldType>(2)), kInvalidArgument},
        {badFlag, kInvalidArgument},
        {Column("Ratio", FieldType::Float), kOk},
    };
    for (const auto& [column, status] : cases) {
        auto writer = MakeWriter();
        ASSERT_EQ(writer->BeginPacket(1), kOk);
        EXPECT_EQ(writer->AddColumn(column), status)
            << std::string(column.name, strnlen(column.name, sizeof column.name));
    }
}

TEST(PacketWriter, KeepsItsOrderOfCalls) {
    auto writer = MakeWriter();
    const ColumnDesc id = Column("ID", FieldType::Integer);
    EXPECT_EQ(writer->AddColumn(id), kInvalidState);
    Packet(*writer, kInvalidState);
    ASSERT_EQ(writer->BeginPacket(2), kOk);
    EXPECT_EQ(AddAttribute(*writer, 1, "WIDTH", AttrType::Integer, {4, 0, 0, 0}), kOk)
        << "an announced column may carry attributes before it is added";
    EXPECT_EQ(AddAttribute(*writer, 2, "WIDTH", AttrType::Integer, {4, 0, 0, 0}), kFieldOutOfRange);
    EXPECT_EQ(AddAttribute(*writer, -2, "WIDTH", AttrType::Integer, {4, 0, 0, 0}),
              kFieldOutOfRange);
    EXPECT_EQ(AddAttribute(*writer, 0, "WIDTH", AttrType::Integer, {4, 0}), kInvalidArgument);
    EXPECT_EQ(AddAttribute(*writer, 0, "FLAG", AttrType::Boolean, {2}), kInvalidArgument);
    EXPECT_EQ(AddAttribute(*writer, 0, "", AttrType::Boolean, {1}), kInvalidArgument);
    EXPECT_EQ(AddAttribute(*writer, 0, "X", static_cast<AttrType>(9), {1}), kInvalidArgument);
    EXPECT_EQ(AddAttribute(*writer, 0, "CALC", AttrType::Expression, {}), kInvalidArgument);
    ASSERT_EQ(writer->AddColumn(id), kOk);
    Packet(*writer, kInvalidState);
    EXPECT_EQ(writer->AddRow(nullptr, 0), kInvalidState);
    ASSERT_EQ(writer->AddColumn(Column("Init", FieldType::Integer)), kOk);
    EXPECT_EQ(writer->AddColumn(Column("More", FieldType::Integer)), kInvalidState);
    EXPECT_EQ(writer->AddRow(nullptr, 0), kInvalidArgument);
    EXPECT_FALSE(Packet(*writer).empty());
}

TEST(PacketWriter, ColumnsAndAttributesReachTheBase) {
    const ColumnDesc columns[] = {Column("RecId", FieldType::Integer, 0, true),
                                  Column("Name", FieldType::String, 50),
                                  Column("Active", FieldType::Boolean)};
    const Bytes activeTrue = expr::Assign(3, expr::Bool(true));
    const Bytes activeFalse = expr::Assign(3, expr::Bool(false));
    auto writer = MakeWriter();
    ASSERT_EQ(writer->BeginPacket(3), kOk);
    for (const ColumnDesc& column : columns)
        ASSERT_EQ(writer->AddColumn(column), kOk);
    ASSERT_EQ(AddAttribute(*writer, 1, "WIDTH", AttrType::Integer, {50, 0, 0, 0}), kOk);
    ASSERT_EQ(AddAttribute(*writer, 0, "SERVER_CALC", AttrType::Boolean, {1}), kOk);
    ASSERT_EQ(
        AddAttribute(*writer, kPacketAttribute, "DEFAULT_VALUE", AttrType::Expression, activeTrue),
        kOk);
    ASSERT_EQ(
        AddAttribute(*writer, kPacketAttribute, "DEFAULT_VALUE", AttrType::Expression, activeFalse),
        kOk);
    auto base = MakeBase();
    ASSERT_EQ(Open(*base, Packet(*writer)), kOk);

    std::uint32_t count = 0;
    ASSERT_EQ(base->GetColumnCount(&count), kOk);
    ASSERT_EQ(count, 3u);
    for (std::uint32_t i = 0; i < count; ++i) {
        ColumnDesc got{};
        ASSERT_EQ(base->GetColumn(i, &got), kOk);
        EXPECT_STREQ(got.name, columns[i].name);
        EXPECT_EQ(got.type, columns[i].type);
        EXPECT_EQ(got.width, columns[i].width);
        EXPECT_EQ(got.readOnly, columns[i].readOnly);
    }
    ColumnDesc none{};
    EXPECT_EQ(base->GetColumn(3, &none), kFieldOutOfRange);

    std::uint8_t found = 0;
    AttrType type{};
    Bytes value(16);
    std::uint32_t length = static_cast<std::uint32_t>(value.size());
    ASSERT_EQ(base->GetAttribute(1, "WIDTH", &found, &type, value.data(), &length), kOk);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(type, AttrType::Integer);
    EXPECT_EQ(Bytes(value.begin(), value.begin() + length), (Bytes{50, 0, 0, 0}));

    length = static_cast<std::uint32_t>(value.size());
    ASSERT_EQ(
        base->GetAttribute(kPacketAttribute, "DEFAULT_VALUE", &found, &type, value.data(), &length),
        kOk);
    EXPECT_EQ(Bytes(value.begin(), value.begin() + length), activeTrue) << "the first of two";

    length = 0;
    ASSERT_EQ(base->GetAttribute(0, "SERVER_CALC", &found, &type, nullptr, &length), kOk);
    EXPECT_EQ(length, 1u);
    length = 2;
    EXPECT_EQ(
        base->GetAttribute(kPacketAttribute, "DEFAULT_VALUE", &found, &type, value.data(), &length),
        kBufferTooSmall);
    EXPECT_EQ(length, activeTrue.size());

    found = 7;
    ASSERT_EQ(base->GetAttribute(0, "WIDTH", &found, &type, value.data(), &length), kOk);
    EXPECT_EQ(found, 0) << "WIDTH belongs to column 1 only";
    EXPECT_EQ(base->GetAttribute(3, "WIDTH", &found, &type, value.data(), &length),
              kFieldOutOfRange);

    auto cursor = MakeCursor();
    ASSERT_EQ(cursor->Attach(base.get()), kOk);
    std::uint8_t readOnly = 9;
    ASSERT_EQ(cursor->GetReadOnly(&readOnly), kOk);
    EXPECT_EQ(readOnly, 0);
}

TEST(PacketWriter, ReadOnlyPacketMakesReadOnlyCursor) {
    auto writer = MakeWriter();
    ASSERT_EQ(writer->BeginPacket(0), kOk);
    ASSERT_EQ(AddAttribute(*writer, kPacketAttribute, "READONLY", AttrType::Boolean, {1}), kOk);
    View view(Packet(*writer));
    std::uint8_t readOnly = 0;
    ASSERT_EQ(view.Cursor().GetReadOnly(&readOnly), kOk);
    EXPECT_EQ(readOnly, 1);
}

/// A combatant packet with two rows, written from buffers a first view made.
Bytes PacketWithRows() {
    View maker(CombatantPacket());
    auto writer = MakeWriter();
    EXPECT_EQ(writer->BeginPacket(6), kOk);
    for (std::uint32_t i = 0; i < 6; ++i) {
        ColumnDesc column{};
        EXPECT_EQ(maker.Base().GetColumn(i, &column), kOk);
        EXPECT_EQ(writer->AddColumn(column), kOk);
    }
    for (const Bytes& value :
         {expr::Assign(kActive, expr::Bool(true)), expr::Assign(kPasses, expr::Real(1.0))})
        EXPECT_EQ(
            AddAttribute(*writer, kPacketAttribute, "DEFAULT_VALUE", AttrType::Expression, value),
            kOk);
    for (const char* shape : {"Ann", "Bob-"}) {
        const Bytes row = maker.Combatant(shape);
        EXPECT_EQ(writer->AddRow(row.data(), static_cast<std::uint32_t>(row.size())), kOk);
        EXPECT_EQ(writer->AddRow(row.data(), static_cast<std::uint32_t>(row.size() - 1)),
                  kInvalidArgument);
    }
    Bytes garbage(maker.NewRecord().size(), 1);
    EXPECT_EQ(writer->AddRow(garbage.data(), static_cast<std::uint32_t>(garbage.size())),
              kInvalidArgument);
    return Packet(*writer);
}

TEST(PacketWriter, RowsBecomeRecords) {
    View view(PacketWithRows());
    EXPECT_EQ(view.VisibleNames(), "Ann Bob");
    view.FilterActive();
    EXPECT_EQ(view.VisibleNames(), "Ann");
}

class DamagedPacket : public ::testing::Test {
protected:
    /// Opens \p packet on a fresh base; when it opens, the base and a cursor must work.
    Status OpenAndUse(const Bytes& packet) {
        auto base = MakeBase();
        const Status status = Open(*base, packet);
        if (status != kOk)
            return status;
        auto cursor = MakeCursor();
        std::uint32_t size = 0;
        EXPECT_EQ(cursor->Attach(base.get()), kOk);
        EXPECT_EQ(cursor->GetBufferSize(&size), kOk);
        Bytes record(size);
        EXPECT_EQ(cursor->InitRecord(record.data()), kOk);
        while (cursor->MoveBy(1) == kOk)
            EXPECT_EQ(cursor->GetCurrentRecord(record.data(), nullptr), kOk);
        return status;
    }

    const Bytes good_ = PacketWithRows();
};

TEST_F(DamagedPacket, EveryTruncationOrExtensionIsRefused) {
    ASSERT_EQ(OpenAndUse(good_), kOk);
    for (std::size_t length = 0; length < good_.size(); ++length)
        EXPECT_EQ(OpenAndUse(Bytes(good_.begin(), good_.begin() + length)), kInvalidPacket)
            << length;
    Bytes longer = good_;
    longer.push_back(0);
    EXPECT_EQ(OpenAndUse(longer), kInvalidPacket);
    auto base = MakeBase();
    EXPECT_EQ(base->Open(nullptr, 22), kInvalidArgument);
}

TEST_F(DamagedPacket, NoChangedByteCrashes) {
    for (std::size_t at = 0; at < good_.size(); ++at) {
        for (const std::uint8_t flip : {0x01, 0x80, 0xFF}) {
            Bytes damaged = good_;
            damaged[at] ^= flip;
            const Status status = OpenAndUse(damaged);
            EXPECT_TRUE(status == kOk || status == kInvalidPacket) << at << " " << status;
        }
    }
    Bytes header = good_;
    header[0] = 'X';
    EXPECT_EQ(OpenAndUse(header), kInvalidPacket);
}

TEST_F(DamagedPacket, DefaultNamingMissingFieldIsRefused) {
    const Bytes assign = expr::Assign(kPasses, expr::Real(1.0));
    auto at = std::search(good_.begin(), good_.end(), assign.begin(), assign.end());
    ASSERT_NE(at, good_.end());
    Bytes damaged = good_;
    damaged[static_cast<std::size_t>(at - good_.begin()) + 1] = 7;
    EXPECT_EQ(OpenAndUse(damaged), kInvalidPacket);
}

} // namespace

} // namespace trevalo::engine::test
