// Bytes as a fight file. Whatever the reader takes is a fight the writer writes and the reader
// takes back the same, in the same bytes.
#include "platform/Exception.h"
#include "tracker/FightJson.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trevalo::Fight fight;
    try {
        fight = trevalo::FightFromJson(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    } catch (const trevalo::Exception&) {
        return 0;
    }
    const QByteArray written = trevalo::FightToJson(fight);
    if (!(trevalo::FightFromJson(written) == fight) ||
        trevalo::FightToJson(trevalo::FightFromJson(written)) != written)
        std::abort();
    return 0;
}
