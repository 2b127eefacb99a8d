#include "components/data/IntegerText.h"

#include "components/data/DataErrors.h"

namespace trevalo {

namespace {

constexpr std::int64_t kPatternLimit = std::int64_t{1} << 32;
constexpr std::int64_t kNegativeLimit = std::int64_t{1} << 31;
constexpr std::int64_t kPositiveLimit = kNegativeLimit - 1;

int DigitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int value = 36;
    if (u >= u'0' && u <= u'9') {
        value = u - u'0';
    } else if (u >= u'a' && u <= u'z') {
        value = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'Z') {
        value = u - u'A' + 10;
    }
    return value < base ? value : -1;
}

// Length of the hexadecimal prefix starting at pos, 0 when the digits there are decimal.
qsizetype HexPrefixLength(const QString& text, qsizetype pos) {
    const QChar c = text[pos];
    if (c == u'$' || c == u'x' || c == u'X') {
        return 1;
    }
    const bool zeroX =
        c == u'0' && pos + 1 < text.size() && (text[pos + 1] == u'x' || text[pos + 1] == u'X');
    return zeroX ? 2 : 0;
}

} // namespace

std::optional<std::int32_t> ParseIntegerText(const QString& text, const QString& fieldName) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const auto fail = [&] {
        return EDatabaseError(QStringLiteral("'%1' is not a valid integer value for field '%2'")
                                  .arg(text, fieldName));
    };
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    if (pos == text.size()) {
        throw fail();
    }
    const qsizetype prefix = HexPrefixLength(text, pos);
    const int base = prefix > 0 ? 16 : 10;
    pos += prefix;
    if (pos == text.size()) {
        throw fail();
    }
    // Unsigned hexadecimal may use all 32 bits; everything else is bounded by its sign.
    const std::int64_t limit = negative     ? kNegativeLimit
                               : base == 16 ? kPatternLimit - 1
                                            : kPositiveLimit;
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) {
            throw fail();
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            throw fail();
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(value > kPositiveLimit ? value - kPatternLimit : value);
}

} // namespace trevalo
