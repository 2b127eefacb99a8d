// Any text as an integer cell's editor text: only the empty text is blank, and a value read must
// read back the same from its own decimal text.
#include "components/data/DataErrors.h"
#include "components/data/IntegerText.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString field = QStringLiteral("Init");
    std::optional<std::int32_t> value;
    try {
        value = trevalo::ParseIntegerText(text, field);
    } catch (const trevalo::EDatabaseError&) {
        return 0;
    }
    // Only the empty text is blank.
    if (value.has_value() == text.isEmpty() ||
        (value && trevalo::ParseIntegerText(QString::number(*value), field) != value)) {
        std::fprintf(stderr, "disagreement: a value does not read back from its decimal text\n");
        std::abort();
    }
    return 0;
}
