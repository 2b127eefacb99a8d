// The record store's stored snapshot, read back as text: "v<version> <name>/<type>/<size>... |
// <records in hex>", or the message raised.
#include "components/data/Snapshot.h"

#include "tests/support/DataChain.h"

#include <QtEndian>

namespace trevalo::test {
namespace {

std::string Describe(const QByteArray& data) {
    try {
        const Snapshot snapshot = ReadSnapshot(data);
        QStringList parts{QStringLiteral("v%1").arg(snapshot.Version)};
        for (const SnapshotField& field : snapshot.Fields)
            parts << QStringLiteral("%1/%2/%3").arg(field.Name).arg(field.Type).arg(field.Size);
        parts << QStringLiteral("| %1").arg(QLatin1String(snapshot.Records.toHex()));
        return parts.join(u' ').toStdString();
    } catch (const EDatabaseError&) {
        return "EDatabaseError, not a plain error";
    } catch (const Exception& error) {
        return error.Message().toStdString();
    }
}

template <class T> QByteArray Le(T value) {
    QByteArray bytes(sizeof value, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Ver(double version) {
    return "Ver" + Le(version);
}

QByteArray Descriptor(quint32 size, quint16 type, const QByteArray& name, int nameLength = -1) {
    return Le(size) + Le(type) +
           Le(static_cast<quint16>(nameLength < 0 ? name.size() + 1 : nameLength)) + name + '\0';
}

struct SnapshotCase {
    const char* label;
    QByteArray data;
    std::string read;
};

void PrintTo(const SnapshotCase& row, std::ostream* out) {
    *out << row.label;
}

class SnapshotReadTest : public ::testing::TestWithParam<SnapshotCase> {};

TEST_P(SnapshotReadTest, ReadsAsExpected) {
    EXPECT_EQ(Describe(GetParam().data), GetParam().read);
}

const QByteArray kName254(254, 'x');

INSTANTIATE_TEST_SUITE_P(
    Streams, SnapshotReadTest,
    ::testing::Values(
        SnapshotCase{"without signature, from the first byte",
                     Le(quint32{1}) + Descriptor(4, 3, "ID"), "v1 ID/3/4 | "},
        SnapshotCase{"version below 1 counts as 1", Ver(0.5) + Le(quint32{0}), "v1 | "},
        SnapshotCase{"version 0", Ver(0) + Le(quint32{0}), "v1 | "},
        SnapshotCase{"a later version stays", Ver(2.5) + Le(quint32{0}), "v2.5 | "},
        SnapshotCase{"records are what follows the descriptors",
                     Ver(1) + Le(quint32{1}) + Descriptor(2, 5, "Active") + "abc",
                     "v1 Active/5/2 | 616263"},
        SnapshotCase{"a name of 255 bytes", Le(quint32{1}) + Descriptor(51, 1, kName254),
                     "v1 " + kName254.toStdString() + "/1/51 | "},
        SnapshotCase{"a name of 256 bytes", Le(quint32{1}) + Descriptor(51, 1, kName254 + 'y'),
                     "The data is incorrect"},
        SnapshotCase{"a name length of 65535",
                     Le(quint32{1}) + Descriptor(4, 3, "ID", 0xFFFF) + QByteArray(0xFFFF, 'x'),
                     "The data is incorrect"},
        SnapshotCase{"fewer descriptors than counted",
                     Ver(1) + Le(quint32{2}) + Descriptor(4, 3, "ID"), "The data is incorrect"},
        SnapshotCase{"a name running past the end", Le(quint32{1}) + Descriptor(4, 3, "ID", 9),
                     "The data is incorrect"},
        SnapshotCase{"an empty stream", QByteArray(), "The data is incorrect"}));

using InitSnapshotTest = DataChainTest;

TEST_F(InitSnapshotTest, TheCombatantStoresSnapshotDescribesFourFieldsAndNoRecords) {
    const QByteArray data = Component<TMemTable>("mtInit").PersistentData();
    ASSERT_EQ(data.size(), 67);
    EXPECT_EQ(Describe(data), "v1.8 ID/3/4 Name/1/51 Init/3/4 Active/5/2 | ");
    EXPECT_EQ(Describe(data.mid(11)), "v1 ID/3/4 Name/1/51 Init/3/4 Active/5/2 | ")
        << "the same descriptors without \"Ver\" and version";
}

TEST_F(InitSnapshotTest, EveryCutOfTheSnapshotIsIncorrect) {
    const QByteArray data = Component<TMemTable>("mtInit").PersistentData();
    for (qsizetype length = 0; length < data.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(Describe(data.left(length)), "The data is incorrect");
    }
}

} // namespace
} // namespace trevalo::test
