// Bytes as a data packet through the engine's contract: opened, its columns and defaults read,
// read in blocks and walked both ways, then a record inserted, the current one modified and
// deleted, and read again. The input's last bytes shape the blocks.
#include "fuzz/BlockRead.h"
#include "fuzz/EngineTable.h"

using namespace trevalo;
using namespace trevalo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto table = Table::Open(data, static_cast<std::uint32_t>(size));
    if (!table)
        return 0;
    std::uint8_t found = 0;
    engine::AttrType type{};
    std::uint32_t length = 0;
    table->Base().GetAttribute(engine::kPacketAttribute, "DEFAULT_VALUE", &found, &type, nullptr,
                               &length);
    CheckBlockRead(*table, data, size);
    table->WalkBothWays();

    engine::IRecordCursor& cursor = table->Cursor();
    Bytes record = table->NewBuffer();
    if (cursor.InitRecord(record.data()) != engine::kOk)
        return 0;
    table->FillRecord(record);
    cursor.MoveToBof();
    cursor.InsertRecord(record.data());
    cursor.MoveToBof();
    if (cursor.MoveBy(1) == engine::kOk &&
        cursor.GetCurrentRecord(record.data(), nullptr) == engine::kOk) {
        table->FillRecord(record);
        cursor.ModifyRecord(record.data());
        cursor.DeleteRecord();
    }
    CheckBlockRead(*table, data, size);
    table->WalkBothWays();
    return 0;
}
