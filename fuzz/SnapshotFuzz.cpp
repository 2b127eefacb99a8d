// Bytes as the record store's stored snapshot.
#include "components/data/Snapshot.h"
#include "platform/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        trevalo::ReadSnapshot(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                      static_cast<qsizetype>(size)));
    } catch (const trevalo::Exception&) {
    }
    return 0;
}
