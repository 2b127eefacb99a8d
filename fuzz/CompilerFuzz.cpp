// Any text as a filter and as a column default through the data layer's compiler; whatever the
// compiler accepts, the engine must accept too, or the run ends.
#include "components/data/DataErrors.h"
#include "components/data/ExpressionCompiler.h"
#include "fuzz/EngineTable.h"

using namespace trevalo;
using namespace trevalo::fuzz;

namespace {

const QList<ExprField>& Fields() {
    static const QList<ExprField> fields = [] {
        QList<ExprField> made;
        for (const engine::ColumnDesc& column : TableColumns())
            made.append({QString::fromUtf8(column.name), column.type, column.width});
        return made;
    }();
    return fields;
}

Bytes ToBytes(const QByteArray& data) {
    return Bytes(data.cbegin(), data.cend());
}

void AsFilter(const QString& text) {
    QByteArray compiled;
    try {
        compiled = CompileFilter(text, Fields());
    } catch (const EDatabaseError&) {
        return;
    }
    Table& table = SampleTable();
    std::uint32_t handle = 0;
    if (table.Cursor().AddFilter(reinterpret_cast<const std::uint8_t*>(compiled.constData()),
                                 static_cast<std::uint32_t>(compiled.size()),
                                 &handle) != engine::kOk)
        Disagree("the engine refused a filter the compiler accepted");
    table.WalkBothWays();
    table.Cursor().DropFilter(handle);
}

void AsDefault(const QString& text, int field) {
    QByteArray compiled;
    try {
        compiled = CompileDefault(text, field, Fields());
    } catch (const EDatabaseError&) {
        return;
    }
    const Bytes packet = TablePacket({ToBytes(compiled)});
    if (packet.empty())
        Disagree("the packet writer refused a default the compiler accepted");
    if (!Table::Open(packet.data(), static_cast<std::uint32_t>(packet.size())))
        Disagree("the engine refused a default the compiler accepted");
}

} // namespace

// The first byte picks the default's column and whether the rest is UTF-8 or UTF-16, which
// reaches the unpaired surrogates that no UTF-8 text holds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto* rest = reinterpret_cast<const char*>(data + 1);
    const auto length = static_cast<qsizetype>(size - 1);
    const QString text =
        data[0] & 0x80 ? QString::fromUtf16(reinterpret_cast<const char16_t*>(rest), length / 2)
                       : QString::fromUtf8(rest, length);
    AsFilter(text);
    AsDefault(text, (data[0] & 0x7F) % static_cast<int>(Fields().size()));
    return 0;
}
