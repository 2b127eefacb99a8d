// Reading integer editor text: the accepted forms, the 32-bit bounds and the exact failure text.
#include "components/data/IntegerText.h"

#include "components/data/DataErrors.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <variant>

namespace trevalo {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct Null {};
struct Fails {
    const char16_t* message;
};

struct Case {
    const char16_t* text;
    const char16_t* field;
    std::variant<std::int32_t, Null, Fails> expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << '"' << QString::fromUtf16(c.text).toStdString() << "\" in "
        << QString::fromUtf16(c.field).toStdString();
}

QString FailureText(const char16_t* text, const char16_t* field) {
    return QString::fromUtf16(u"'%1' is not a valid integer value for field '%2'")
        .arg(QString::fromUtf16(text), QString::fromUtf16(field));
}

class IntegerTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(IntegerTextTest, ReadsOrRejects) {
    const Case& c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    const QString field = QString::fromUtf16(c.field);
    if (const auto* fails = std::get_if<Fails>(&c.expected)) {
        try {
            ParseIntegerText(text, field);
            ADD_FAILURE() << "accepted";
        } catch (const EDatabaseError& error) {
            const QString expected =
                fails->message ? QString::fromUtf16(fails->message) : FailureText(c.text, c.field);
            EXPECT_EQ(error.Message(), expected);
        }
    } else if (std::holds_alternative<Null>(c.expected)) {
        EXPECT_EQ(ParseIntegerText(text, field), std::nullopt);
    } else {
        EXPECT_EQ(ParseIntegerText(text, field), std::get<std::int32_t>(c.expected));
    }
}

// Failures with nullptr as message expect the standard text built from the row's text and field.
INSTANTIATE_TEST_SUITE_P(
    Table, IntegerTextTest,
    ::testing::Values(
        // Empty text is null; only-spaces text is not empty.
        Case{u"", u"Passes", Null{}}, Case{u"   ", u"Passes", Fails{nullptr}},
        // Decimal forms and bounds.
        Case{u"0", u"Init", 0}, Case{u"12", u"Init", 12}, Case{u" 12", u"Init", 12},
        Case{u"   -7", u"Init", -7}, Case{u"+5", u"Init", 5}, Case{u"-0", u"Init", 0},
        Case{u"010", u"Init", 10}, Case{u"2147483647", u"Init", kMax},
        Case{u"-2147483648", u"Init", kMin}, Case{u"2147483648", u"Init", Fails{nullptr}},
        Case{u"-2147483649", u"Init", Fails{nullptr}},
        Case{u"99999999999999999999", u"Init", Fails{nullptr}},
        // Hexadecimal prefixes, signs and the 32-bit pattern.
        Case{u"$10", u"EndOnTurn", 16}, Case{u"x1f", u"EndOnTurn", 31},
        Case{u"X1F", u"EndOnTurn", 31}, Case{u"0x7fffffff", u"EndOnTurn", kMax},
        Case{u"0XFF", u"EndOnTurn", 255}, Case{u"-$10", u"EndOnTurn", -16},
        Case{u"+$10", u"EndOnTurn", 16}, Case{u" $00000000000010", u"EndOnTurn", 16},
        Case{u"$FFFFFFFF", u"EndOnTurn", -1}, Case{u"$80000000", u"EndOnTurn", kMin},
        Case{u"-$80000000", u"EndOnTurn", kMin}, Case{u"-$80000001", u"EndOnTurn", Fails{nullptr}},
        Case{u"-$FFFFFFFF", u"EndOnTurn", Fails{nullptr}},
        Case{u"$100000000", u"EndOnTurn", Fails{nullptr}},
        // Malformed text, with the exact message for the documented examples.
        Case{u"abc", u"Init", Fails{u"'abc' is not a valid integer value for field 'Init'"}},
        Case{u"12a", u"Init", Fails{u"'12a' is not a valid integer value for field 'Init'"}},
        Case{u"%2", u"Init", Fails{u"'%2' is not a valid integer value for field 'Init'"}},
        Case{u"12 ", u"Init", Fails{nullptr}}, Case{u"+", u"Init", Fails{nullptr}},
        Case{u"-", u"Init", Fails{nullptr}}, Case{u"+-1", u"Init", Fails{nullptr}},
        Case{u"$", u"Init", Fails{nullptr}}, Case{u"0x", u"Init", Fails{nullptr}},
        Case{u"x", u"Init", Fails{nullptr}}, Case{u"$$10", u"Init", Fails{nullptr}},
        Case{u"0x-1", u"Init", Fails{nullptr}}, Case{u"00x10", u"Init", Fails{nullptr}},
        Case{u"$G", u"Init", Fails{nullptr}}, Case{u"$ 10", u"Init", Fails{nullptr}},
        Case{u"- 1", u"Init", Fails{nullptr}}, Case{u"1 2", u"Init", Fails{nullptr}},
        Case{u"12.0", u"Init", Fails{nullptr}}, Case{u"1e3", u"Init", Fails{nullptr}},
        Case{u"\t12", u"Init", Fails{nullptr}}, Case{u"\uFF11\uFF12", u"Init", Fails{nullptr}}));

} // namespace
} // namespace trevalo
