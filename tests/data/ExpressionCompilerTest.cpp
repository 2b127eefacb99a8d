// Filter and default texts against the combatant view's fields, one row per (text, outcome).
// The outcome is the compiled tree read back as text, or the exact message raised.
#include "components/data/ExpressionCompiler.h"

#include "components/data/DataErrors.h"

#include <QDataStream>
#include <QIODevice>
#include <gtest/gtest.h>
#include <ostream>

namespace trevalo {
namespace {

using engine::FieldType;
using engine::Op;

// The combatant view, plus a float field (7) for the conversions that view never meets.
const QList<ExprField>& Fields() {
    static const QList<ExprField> fields{
        {"RecId", FieldType::Integer},   {"ID", FieldType::Integer},
        {"Name", FieldType::String, 50}, {"Init", FieldType::Integer},
        {"Active", FieldType::Boolean},  {"Passes", FieldType::Integer},
        {"Rate", FieldType::Float},
    };
    return fields;
}

QString ReadNode(QDataStream& in);

QString ReadOperands(QDataStream& in, const char* name, int count) {
    QStringList operands;
    for (int i = 0; i < count; ++i)
        operands << ReadNode(in);
    return QStringLiteral("%1(%2)").arg(QLatin1String(name), operands.join(u','));
}

// One node of the engine's encoding as text: F5 field, I3 integer, B1 boolean, S'x' string,
// D1 float, AND(..), OR(..), NOT(..), EQ NE LT LE GT GE (..), SET(F6,..).
QString ReadNode(QDataStream& in) {
    quint8 op = 0;
    in >> op;
    switch (static_cast<Op>(op)) {
    case Op::Field: {
        quint16 field = 0;
        in >> field;
        return QStringLiteral("F%1").arg(field);
    }
    case Op::Integer: {
        qint32 value = 0;
        in >> value;
        return QStringLiteral("I%1").arg(value);
    }
    case Op::Boolean: {
        quint8 value = 0;
        in >> value;
        return QStringLiteral("B%1").arg(value);
    }
    case Op::String: {
        quint32 length = 0;
        in >> length;
        QByteArray utf8(qMin<qint64>(length, in.device()->bytesAvailable()), '\0');
        if (in.readRawData(utf8.data(), static_cast<int>(utf8.size())) != qint64(length))
            return QStringLiteral("<short string>");
        return QStringLiteral("S'%1'").arg(QString::fromUtf8(utf8));
    }
    case Op::Float: {
        double value = 0;
        in >> value;
        return QStringLiteral("D%1").arg(QString::number(value, 'g', 17));
    }
    case Op::Null:
        return QStringLiteral("NULL");
    case Op::And:
        return ReadOperands(in, "AND", 2);
    case Op::Or:
        return ReadOperands(in, "OR", 2);
    case Op::Not:
        return ReadOperands(in, "NOT", 1);
    case Op::Equal:
        return ReadOperands(in, "EQ", 2);
    case Op::NotEqual:
        return ReadOperands(in, "NE", 2);
    case Op::Less:
        return ReadOperands(in, "LT", 2);
    case Op::LessEqual:
        return ReadOperands(in, "LE", 2);
    case Op::Greater:
        return ReadOperands(in, "GT", 2);
    case Op::GreaterEqual:
        return ReadOperands(in, "GE", 2);
    case Op::Assign: {
        quint16 field = 0;
        in >> field;
        return QStringLiteral("SET(F%1,%2)").arg(field).arg(ReadNode(in));
    }
    }
    return QStringLiteral("<op %1>").arg(op);
}

QString Decode(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    in.setFloatingPointPrecision(QDataStream::DoublePrecision);
    QString text = ReadNode(in);
    if (in.status() != QDataStream::Ok)
        text += QStringLiteral(" <truncated>");
    if (!in.atEnd())
        text += QStringLiteral(" <trailing bytes>");
    return text;
}

template <typename Compile> QString Outcome(Compile compile) {
    try {
        return Decode(compile());
    } catch (const EDatabaseError& error) {
        return error.Message();
    }
}

QString FilterOutcome(const QString& text) {
    return Outcome([&] { return CompileFilter(text, Fields()); });
}

int FieldIndex(const char* name) {
    for (qsizetype i = 0; i < Fields().size(); ++i) {
        if (Fields()[i].Name == QLatin1String(name))
            return static_cast<int>(i);
    }
    ADD_FAILURE() << "no test field " << name;
    return 0;
}

struct FilterCase {
    const char* text; // UTF-8
    const char* expected;
};

// Control characters in a row's text are shown as \xNN so that the row stays on one line.
std::string Printable(const char* text) {
    std::string shown;
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        shown += byte < 0x20 ? QStringLiteral("\\x%1").arg(byte, 2, 16, QChar(u'0')).toStdString()
                             : std::string(1, *c);
    }
    return '"' + shown + '"';
}

void PrintTo(const FilterCase& row, std::ostream* out) {
    *out << Printable(row.text);
}

class Filter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(Filter, CompilesToTreeOrMessage) {
    EXPECT_EQ(FilterOutcome(QString::fromUtf8(GetParam().text)),
              QString::fromUtf8(GetParam().expected));
}

// The filter of pass 3 and pass 10, spelled in every way the language allows.
constexpr FilterCase kPassFilter[] = {
    {"[Active] = True and [Passes] >= 3", "AND(EQ(F5,B1),GE(F6,I3))"},
    {"[Active] = True and [Passes] >= 10", "AND(EQ(F5,B1),GE(F6,I10))"},
    {"[active] = TRUE AND [PASSES] >= 3", "AND(EQ(F5,B1),GE(F6,I3))"},
    {"[Active]=tRuE aNd[Passes]>=3", "AND(EQ(F5,B1),GE(F6,I3))"},
    {"\t[Active]\n=\r\nTrue\x01"
     "and\x1f[Passes] >= 003  ",
     "AND(EQ(F5,B1),GE(F6,I3))"},
    {"([Active] = True) and ([Passes] >= 3)", "AND(EQ(F5,B1),GE(F6,I3))"},
};
INSTANTIATE_TEST_SUITE_P(PassFilter, Filter, ::testing::ValuesIn(kPassFilter));

constexpr FilterCase kOperands[] = {
    {"[Init] = 1", "EQ(F4,I1)"},
    {"[Init] <> 1", "NE(F4,I1)"},
    {"[Init] < 1", "LT(F4,I1)"},
    {"[Init] <= 1", "LE(F4,I1)"},
    {"[Init] > 1", "GT(F4,I1)"},
    {"[Init] >= 1", "GE(F4,I1)"},
    {"3 < [Init]", "LT(I3,F4)"},
    {"[Init] >= [Passes]", "GE(F4,F6)"},
    {"[recid] = [id]", "EQ(F1,F2)"},
    {"[Passes] >= 2147483647", "GE(F6,I2147483647)"},
    {"[Passes] >= 2147483648", "GE(F6,D2147483648)"},
    {"[Passes] < 100000000000000000000", "LT(F6,D1e+20)"},
    {"[Rate] > 3", "GT(F7,D3)"},
    {"[Rate] > [Init]", "GT(F7,F4)"},
    {"[Name] = 'Troll'", "EQ(F3,S'Troll')"},
    {"[Name] = 'It''s'", "EQ(F3,S'It's')"},
    {"[Name] = ''''", "EQ(F3,S''')"},
    {"[Name] = ''", "EQ(F3,S'')"},
    {"[Name] = 'Ærø [x] and ''True'''", "EQ(F3,S'Ærø [x] and 'True'')"},
    {"[Active] = 'true'", "EQ(F5,B1)"},
    {"'FALSE' = [Active]", "EQ(B0,F5)"},
    {"[Active] <> False", "NE(F5,B0)"},
    {"1 = 1", "EQ(I1,I1)"},
    {"'a' < 'b'", "LT(S'a',S'b')"},
    {"True <> False", "NE(B1,B0)"},
    {"[Active]", "F5"},
    {"True", "B1"},
    {"false", "B0"},
    {"NOT [Active]", "NOT(F5)"},
    {"not not [Active]", "NOT(NOT(F5))"},
    {"((([Active])))", "F5"},
};
INSTANTIATE_TEST_SUITE_P(Operands, Filter, ::testing::ValuesIn(kOperands));

// Loosest to tightest: OR, AND, NOT, comparison; chains join from the left.
constexpr FilterCase kPrecedence[] = {
    {"[Active] or [Init] > 1 and [Passes] = 2", "OR(F5,AND(GT(F4,I1),EQ(F6,I2)))"},
    {"[Init] > 1 and [Passes] = 2 or [Active]", "OR(AND(GT(F4,I1),EQ(F6,I2)),F5)"},
    {"not [Active] and [Init] = 1", "AND(NOT(F5),EQ(F4,I1))"},
    {"not [Init] = 1 or [Active]", "OR(NOT(EQ(F4,I1)),F5)"},
    {"not ([Active] or [Init] = 1)", "NOT(OR(F5,EQ(F4,I1)))"},
    {"([Active] or [Init] = 1) and [Passes] = 2", "AND(OR(F5,EQ(F4,I1)),EQ(F6,I2))"},
    {"[Active] and [Init] = 1 and [Passes] = 2", "AND(AND(F5,EQ(F4,I1)),EQ(F6,I2))"},
    {"[Active] or [Init] = 1 or [Passes] = 2", "OR(OR(F5,EQ(F4,I1)),EQ(F6,I2))"},
};
INSTANTIATE_TEST_SUITE_P(Precedence, Filter, ::testing::ValuesIn(kPrecedence));

// The first fault from the left is the one reported.
constexpr FilterCase kTextErrors[] = {
    {"[Active = True", "Unterminated field name"},
    {"[Active] = True and [Passes", "Unterminated field name"},
    {"[Nope] = 1", "Field 'Nope' not found"},
    {"[ Active] = True", "Field ' Active' not found"},
    {"[] = True", "Field '' not found"},
    {"[Nope] = 'abc", "Field 'Nope' not found"},
    {"[Name] = 'abc", "Unterminated string constant"},
    {"[Name] = 'it''", "Unterminated string constant"},
    {"[Passes] >= 3.5", "Invalid filter expression character: '.'"},
    {"[Passes] >= -1", "Invalid filter expression character: '-'"},
    {"[Active] = True & [Passes] >= 3", "Invalid filter expression character: '&'"},
    {"[Name] = \"Troll\"", "Invalid filter expression character: '\"'"},
    {"[Active] = Yes", "Invalid filter expression character: 'Y'"},
    {"[Active] = Trueish", "Invalid filter expression character: 'T'"},
    {"[Active] = True\u00a0", "Invalid filter expression character: '\u00a0'"},
    {"[Active] = True 🙂", "Invalid filter expression character: '🙂'"},
    {"[Active] = True [Passes] >= 3", "Filter expression incorrectly terminated"},
    {"[Active] = True)", "Filter expression incorrectly terminated"},
    {"[Active] = [Active] = True", "Filter expression incorrectly terminated"},
    {"[Passes] >= 3 3", "Filter expression incorrectly terminated"},
    {"([Passes]) >= 3", "Filter expression incorrectly terminated"},
};
INSTANTIATE_TEST_SUITE_P(TextErrors, Filter, ::testing::ValuesIn(kTextErrors));

// A missing operand, or a whole filter that is not a condition, is badly formed; empty text
// has no condition either.
constexpr FilterCase kFormErrors[] = {
    {"", "Incorrectly formed filter expression"},
    {"   ", "Incorrectly formed filter expression"},
    {"[Passes]", "Incorrectly formed filter expression"},
    {"3", "Incorrectly formed filter expression"},
    {"'True'", "Incorrectly formed filter expression"},
    {"([Name])", "Incorrectly formed filter expression"},
    {"[Active] =", "Incorrectly formed filter expression"},
    {"[Active] == True", "Incorrectly formed filter expression"},
    {"[Passes] >= (3)", "Incorrectly formed filter expression"},
    {"[Active] = True and", "Incorrectly formed filter expression"},
    {"and [Active]", "Incorrectly formed filter expression"},
    {"not", "Incorrectly formed filter expression"},
    {"()", "Incorrectly formed filter expression"},
    {"([Active]", "Incorrectly formed filter expression"},
    {")", "Incorrectly formed filter expression"},
};
INSTANTIATE_TEST_SUITE_P(FormErrors, Filter, ::testing::ValuesIn(kFormErrors));

// Only number/number, string/string and boolean/boolean pair; a string meets a boolean field
// only as 'True' or 'False'. AND, OR and NOT take conditions only.
constexpr FilterCase kTypeErrors[] = {
    {"[Passes] >= '3'", "Type mismatch in expression"},
    {"[Active] = 1", "Type mismatch in expression"},
    {"[Active] = 'yes'", "Type mismatch in expression"},
    {"[Name] = 3", "Type mismatch in expression"},
    {"[Name] = True", "Type mismatch in expression"},
    {"[Init] = True", "Type mismatch in expression"},
    {"[Name] = [Init]", "Type mismatch in expression"},
    {"[Active] = [Passes]", "Type mismatch in expression"},
    {"'True' = True", "Type mismatch in expression"},
    {"1 = '1'", "Type mismatch in expression"},
    {"[Passes] and [Active]", "Type mismatch in expression"},
    {"[Active] or 3", "Type mismatch in expression"},
    {"not [Name]", "Type mismatch in expression"},
};
INSTANTIATE_TEST_SUITE_P(TypeErrors, Filter, ::testing::ValuesIn(kTypeErrors));

struct DefaultCase {
    const char* field;
    const char* text;
    const char* expected;
};

void PrintTo(const DefaultCase& row, std::ostream* out) {
    *out << row.field << ' ' << Printable(row.text);
}

class Default : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(Default, CompilesToAssignmentOrMessage) {
    const DefaultCase& row = GetParam();
    const QString text = QString::fromUtf8(row.text);
    const int field = FieldIndex(row.field);
    EXPECT_EQ(Outcome([&] { return CompileDefault(text, field, Fields()); }),
              QString::fromUtf8(row.expected));
}

constexpr DefaultCase kDefaults[] = {
    {"Active", "'True'", "SET(F5,B1)"},
    {"Active", "'false'", "SET(F5,B0)"},
    {"Active", "True", "SET(F5,B1)"},
    {"Passes", "1", "SET(F6,D1)"},
    {"Passes", " 1 ", "SET(F6,D1)"},
    {"Passes", "2147483647", "SET(F6,D2147483647)"},
    {"Passes", "2147483648", "Number out of range in filter expression"},
    {"Name", "'12345678901234567890123456789012345678901234567\u00d8\u65e5\U0001f600'",
     "SET(F3,S'12345678901234567890123456789012345678901234567\u00d8\u65e5\U0001f600')"},
    {"Name", "'123456789012345678901234567890123456789012345678901'",
     "String constant too long for field 'Name'"},
    {"Rate", "2", "SET(F7,D2)"},
    {"Name", "'It''s'", "SET(F3,S'It's')"},
    {"Name", "'True'", "SET(F3,S'True')"},
    {"Active", "'yes'", "Type mismatch in expression"},
    {"Active", "1", "Type mismatch in expression"},
    {"Passes", "'1'", "Type mismatch in expression"},
    {"Passes", "True", "Type mismatch in expression"},
    {"Name", "1", "Type mismatch in expression"},
    {"Passes", "", "Incorrectly formed filter expression"},
    {"Passes", "[Passes]", "Incorrectly formed filter expression"},
    {"Passes", "(1)", "Incorrectly formed filter expression"},
    {"Active", "not True", "Incorrectly formed filter expression"},
    {"Passes", "1 = 1", "Filter expression incorrectly terminated"},
    {"Passes", "1 2", "Filter expression incorrectly terminated"},
    {"Passes", "[Nope]", "Field 'Nope' not found"},
    {"Passes", "-1", "Invalid filter expression character: '-'"},
    {"Name", "'abc", "Unterminated string constant"},
};
INSTANTIATE_TEST_SUITE_P(Defaults, Default, ::testing::ValuesIn(kDefaults));

// The bytes themselves, so that byte order and widths are pinned apart from the reader above.
TEST(ExpressionEncoding, IsLittleEndianPrefixOrder) {
    EXPECT_EQ(CompileFilter("[Active] = True and [Passes] >= 3", Fields()).toHex(),
              "0a140105000301190106000203000000");
    EXPECT_EQ(CompileFilter("[Name] = 'Ø'", Fields()).toHex(), "140103000402000000c398");
    EXPECT_EQ(CompileDefault("'True'", FieldIndex("Active"), Fields()).toHex(), "1e05000301");
    EXPECT_EQ(CompileDefault("1", FieldIndex("Passes"), Fields()).toHex(),
              "1e060005000000000000f03f");
}

// The engine takes finite numbers only; a longer run of digits is refused here, not wrapped.
TEST(ExpressionNumbers, LargestDoubleIsTheLimit) {
    EXPECT_EQ(FilterOutcome("[Passes] < 1" + QString(308, u'0')), "LT(F6,D1e+308)");
    EXPECT_EQ(FilterOutcome("[Passes] < 1" + QString(309, u'0')),
              "Number out of range in filter expression");
}

// Nesting is bounded, so that no text can exhaust the stack of the compiler or the engine.
TEST(ExpressionNesting, DeepTextsFailCleanly) {
    const struct {
        QString open, close;
        qsizetype fieldsInTree; // at 100 levels
    } shapes[] = {{"(", ")", 1}, {"not ", "", 1}, {"[Active] and ", "", 101}};
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.open.toStdString());
        const QString allowed = shape.open.repeated(100) + "[Active]" + shape.close.repeated(100);
        EXPECT_EQ(FilterOutcome(allowed).count(u"F5"), shape.fieldsInTree);
        const QString deep =
            shape.open.repeated(100000) + "[Active]" + shape.close.repeated(100000);
        EXPECT_EQ(FilterOutcome(deep), "Filter expression nested too deeply");
    }
}

// Every operator level counts against one bound on the height of the tree; parentheses add none.
TEST(ExpressionNesting, MixedLevelsShareOneBound) {
    const QString nots = QStringLiteral("not ").repeated(49);
    const QString ors = QStringLiteral(" or True").repeated(50);
    const QString highest = FilterOutcome(nots + "(True and True)" + ors);
    EXPECT_EQ(highest.count(u"NOT"), 49);
    EXPECT_EQ(FilterOutcome(nots + "((((True and True))))" + ors), highest);
    EXPECT_EQ(FilterOutcome(nots + "(True and True) or True" + ors),
              "Filter expression nested too deeply");
}

} // namespace
} // namespace trevalo
