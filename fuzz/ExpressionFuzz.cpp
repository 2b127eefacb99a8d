// Bytes as an expression through the engine's contract: a first byte of the assignment opcode
// makes them a column default of a fresh table, anything else a filter on a small table, which
// is then read in blocks shaped by the input's last bytes and walked both ways with every field
// read.
#include "fuzz/BlockRead.h"
#include "fuzz/EngineTable.h"

using namespace trevalo;
using namespace trevalo::fuzz;

namespace {

void AsDefault(const std::uint8_t* data, std::size_t size) {
    const Bytes packet = TablePacket({Bytes(data, data + size)});
    auto table = Table::Open(packet.data(), static_cast<std::uint32_t>(packet.size()));
    if (!table)
        return;
    Bytes record = table->NewBuffer();
    if (table->Cursor().InitRecord(record.data()) == engine::kOk)
        table->ReadEveryField(record);
}

void AsFilter(const std::uint8_t* data, std::size_t size) {
    Table& table = SampleTable();
    std::uint32_t handle = 0;
    if (table.Cursor().AddFilter(data, static_cast<std::uint32_t>(size), &handle) != engine::kOk)
        return;
    CheckBlockRead(table, data, size);
    table.WalkBothWays();
    if (table.Cursor().DropFilter(handle) != engine::kOk)
        Disagree("an installed filter could not be dropped");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0 && data[0] == static_cast<std::uint8_t>(engine::Op::Assign))
        AsDefault(data, size);
    else
        AsFilter(data, size);
    return 0;
}
