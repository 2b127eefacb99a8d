// The provider's packet, read back through a record base of the engine as the view reads it.
#include "components/data/EngineLibrary.h"
#include "tests/support/DataChain.h"

#include <cstring>

namespace trevalo::test {
namespace {

using engine::AttrType;
using engine::FieldType;

class PacketTest : public DataChainTest {
protected:
    // A record base opened on the packet \p provider hands out.
    EnginePtr<engine::IRecordBase> Open(const char* provider) {
        const QByteArray packet = Component<TTableProvider>(provider).GetRecords();
        auto base = EngineLibrary::Instance().CreateRecordBase();
        CheckStatus(*base, base->Open(reinterpret_cast<const std::uint8_t*>(packet.constData()),
                                      static_cast<std::uint32_t>(packet.size())));
        return base;
    }

    // "<name> <type> w<width> [ro]" per column.
    static QStringList Columns(engine::IRecordBase& base) {
        std::uint32_t count = 0;
        CheckStatus(base, base.GetColumnCount(&count));
        QStringList columns;
        for (std::uint32_t i = 0; i < count; ++i) {
            engine::ColumnDesc column{};
            CheckStatus(base, base.GetColumn(i, &column));
            columns << QStringLiteral("%1 %2 w%3%4%5%6")
                           .arg(QLatin1String(column.name), TField::TypeName(column.type))
                           .arg(column.width)
                           .arg(QLatin1String(column.readOnly ? " ro" : ""),
                                QLatin1String(column.required ? " required" : ""),
                                QLatin1String(column.hidden ? " hidden" : ""));
        }
        return columns;
    }

    // The attribute's type and bytes in hex, or "none".
    static std::string Attribute(engine::IRecordBase& base, std::int32_t column, const char* name) {
        std::uint8_t found = 0;
        AttrType type{};
        std::uint8_t value[64] = {};
        std::uint32_t length = sizeof value;
        CheckStatus(base, base.GetAttribute(column, name, &found, &type, value, &length));
        if (!found)
            return "none";
        return QStringLiteral("%1:%2")
            .arg(static_cast<int>(type))
            .arg(QLatin1String(
                QByteArray(reinterpret_cast<const char*>(value), static_cast<qsizetype>(length))
                    .toHex()))
            .toStdString();
    }
};

TEST_F(PacketTest, CombatantColumnsComeInStoreOrderWithRecIdFirstAndReadOnly) {
    auto base = Open("prvInit");
    EXPECT_EQ(Columns(*base),
              (QStringList{"RecId Integer w0 ro", "ID Integer w0", "Name String w50",
                           "Init Integer w0", "Active Boolean w0", "Passes Integer w0"}));
    EXPECT_EQ(Attribute(*base, 2, "WIDTH"), "2:32000000");
    EXPECT_EQ(Attribute(*base, 0, "SERVER_CALC"), "1:01");
    for (std::int32_t column = 1; column < 6; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(Attribute(*base, column, "SERVER_CALC"), "none");
    }
    // Assign to field 5 (Active) the boolean True; the first DEFAULT_VALUE is Active's.
    EXPECT_EQ(Attribute(*base, engine::kPacketAttribute, "DEFAULT_VALUE"), "3:1e05000301");
    for (const char* absent : {"READONLY", "DISABLE_EDITS", "DISABLE_INSERTS", "DISABLE_DELETES"})
        EXPECT_EQ(Attribute(*base, engine::kPacketAttribute, absent), "none") << absent;
}

TEST_F(PacketTest, CombatantDefaultsFillActiveAndPassesOnly) {
    auto base = Open("prvInit");
    auto cursor = EngineLibrary::Instance().CreateRecordCursor();
    CheckStatus(*cursor, cursor->Attach(base.get()));
    std::uint32_t size = 0;
    CheckStatus(*cursor, cursor->GetBufferSize(&size));
    std::vector<std::uint8_t> record(size, 0xAA);
    CheckStatus(*cursor, cursor->InitRecord(record.data()));

    QStringList values;
    for (std::uint32_t field = 1; field <= 6; ++field) {
        std::uint8_t value[256] = {};
        std::uint8_t blank = 0;
        CheckStatus(*cursor, cursor->GetField(record.data(), field, value, &blank));
        std::int32_t number = 0;
        std::memcpy(&number, value, sizeof number);
        values << (blank ? QStringLiteral("-") : QString::number(field == 5 ? value[0] : number));
    }
    EXPECT_EQ(values, (QStringList{"-", "-", "-", "-", "1", "1"}));
}

TEST_F(PacketTest, EffectColumnsCarryTheWidthAndNoDefault) {
    auto base = Open("prvEffects");
    EXPECT_EQ(Columns(*base), (QStringList{"RecId Integer w0 ro", "EffectName String w200",
                                           "EndOnTurn Integer w0"}));
    EXPECT_EQ(Attribute(*base, 1, "WIDTH"), "2:c8000000");
    EXPECT_EQ(Attribute(*base, engine::kPacketAttribute, "DEFAULT_VALUE"), "none");
}

TEST_F(PacketTest, TheProviderClosesOnlyAStoreItOpened) {
    auto& store = Component<TMemTable>("mtInit");
    Open("prvInit");
    EXPECT_FALSE(store.IsOpen());
    store.Open();
    Open("prvInit");
    EXPECT_TRUE(store.IsOpen());
}

TEST_F(PacketTest, WithoutConstraintsNoDefaultTravels) {
    Component<TTableProvider>("prvInit").SetConstraints(false);
    auto base = Open("prvInit");
    EXPECT_EQ(Attribute(*base, engine::kPacketAttribute, "DEFAULT_VALUE"), "none");
}

} // namespace
} // namespace trevalo::test
