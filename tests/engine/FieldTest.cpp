// Column defaults and the checked reading and writing of fields in a record buffer.
#include "tests/engine/EngineHarness.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>

namespace trevalo::engine::test {

namespace {

/// A field's value as text: "<blank>", a number, "True"/"False", or the string itself.
std::string Describe(View& view, const Bytes& record, std::uint32_t field) {
    ColumnDesc column{};
    EXPECT_EQ(view.Base().GetColumn(field - 1, &column), kOk);
    switch (column.type) {
    case FieldType::Integer: {
        const auto value = view.Integer(record, field);
        return value ? std::to_string(*value) : "<blank>";
    }
    case FieldType::Boolean: {
        const auto value = view.Boolean(record, field);
        return value ? (*value ? "True" : "False") : "<blank>";
    }
    case FieldType::String:
        return view.Text(record, field).value_or("<blank>");
    case FieldType::Float: {
        double value = 0;
        std::uint8_t blank = 0;
        EXPECT_EQ(view.Cursor().GetField(record.data(), field, &value, &blank), kOk);
        return blank ? "<blank>" : std::to_string(value);
    }
    }
    return "?";
}

TEST(ColumnDefaults, NewCombatantIsActiveWithOnePass) {
    View view(CombatantPacket());
    const Bytes record = view.NewRecord();
    EXPECT_EQ(view.Integer(record, kRecId), std::nullopt);
    EXPECT_EQ(view.Integer(record, kId), std::nullopt);
    EXPECT_EQ(view.Text(record, kName), std::nullopt);
    EXPECT_EQ(view.Integer(record, kInit), std::nullopt);
    EXPECT_EQ(view.Boolean(record, kActive), true);
    EXPECT_EQ(view.Integer(record, kPasses), 1);

    ASSERT_EQ(view.Cursor().InsertRecord(record.data()), kOk);
    EXPECT_EQ(view.CurrentRecord(), record);
}

struct DefaultCase {
    const char* label;
    ColumnDesc column;
    Bytes assignment;
    Status status;
    const char* value; ///< the default record's field, when the packet is made
};

TEST(ColumnDefaults, ConstantsConvertToTheColumn) {
    const ColumnDesc integer = Column("Passes", FieldType::Integer);
    const ColumnDesc boolean = Column("Active", FieldType::Boolean);
    const ColumnDesc text = Column("Code", FieldType::String, 3);
    const ColumnDesc real = Column("Ratio", FieldType::Float);
    using namespace expr;
    Bytes trailing = Assign(1, Int(1));
    trailing.push_back(0);
    Bytes truncated = Assign(1, Int(1));
    truncated.pop_back();
    const DefaultCase cases[] = {
        {"float to integer", integer, Assign(1, Real(1.0)), kOk, "1"},
        {"rounds up from half", integer, Assign(1, Real(2.5)), kOk, "3"},
        {"rounds negative half away", integer, Assign(1, Real(-2.5)), kOk, "-3"},
        {"rounds down", integer, Assign(1, Real(1.4)), kOk, "1"},
        {"integer", integer, Assign(1, Int(7)), kOk, "7"},
        {"null", integer, Assign(1, Null()), kOk, "<blank>"},
        {"too big for integer", integer, Assign(1, Real(3e9)), kInvalidArgument, ""},
        {"string to integer", integer, Assign(1, Str("1")), kTypeMismatch, ""},
        {"boolean", boolean, Assign(1, Bool(true)), kOk, "True"},
        {"string TRUE", boolean, Assign(1, Str("TRUE")), kOk, "True"},
        {"string fAlse", boolean, Assign(1, Str("fAlse")), kOk, "False"},
        {"string yes", boolean, Assign(1, Str("yes")), kTypeMismatch, ""},
        {"integer to boolean", boolean, Assign(1, Int(1)), kTypeMismatch, ""},
        {"string", text, Assign(1, Str("abc")), kOk, "abc"},
        {"string too long", text, Assign(1, Str("abcd")), kValueTooLong, ""},
        {"float to string", text, Assign(1, Real(1)), kTypeMismatch, ""},
        {"integer to float", real, Assign(1, Int(2)), kOk, "2.000000"},
        {"missing field", integer, Assign(2, Int(1)), kInvalidExpression, ""},
        {"field zero", integer, Assign(0, Int(1)), kInvalidExpression, ""},
        {"not a constant", integer, Assign(1, Field(1)), kInvalidExpression, ""},
        {"trailing byte", integer, trailing, kInvalidExpression, ""},
        {"truncated", integer, truncated, kInvalidExpression, ""},
        {"no assignment", integer, Int(1), kInvalidExpression, ""},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.label);
        Status status = kOk;
        const Bytes packet = BuildPacket({c.column}, {c.assignment}, &status);
        EXPECT_EQ(status, c.status);
        if (status != kOk)
            continue;
        View view(packet);
        EXPECT_EQ(Describe(view, view.NewRecord(), 1), c.value);
    }
}

struct PutCase {
    const char* label;
    std::uint32_t field;
    std::variant<std::monostate, std::int32_t, std::uint8_t, std::string> value;
    Status status;
    std::uint32_t checked; ///< the field read back afterwards
    const char* expected;
};

std::string Repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

TEST(FieldAccess, PutFieldChecksBeforeWriting) {
    const std::string fifty = Repeat("x", 50);
    const std::string fiftyWide = Repeat("\xC3\xA9", 50);
    const PutCase cases[] = {
        {"name at width", kName, fifty, kOk, kName, fifty.c_str()},
        {"name past width", kName, Repeat("x", 51), kValueTooLong, kName, "prev"},
        {"two-byte characters at width", kName, fiftyWide, kOk, kName, fiftyWide.c_str()},
        {"two-byte characters past width", kName, Repeat("\xC3\xA9", 51), kValueTooLong, kName,
         "prev"},
        {"empty name is not blank", kName, std::string(), kOk, kName, ""},
        {"broken UTF-8", kName, std::string("\xFF"), kInvalidArgument, kName, "prev"},
        {"null blanks", kName, std::monostate{}, kOk, kName, "<blank>"},
        {"integer", kInit, 42, kOk, kInit, "42"},
        {"null integer", kInit, std::monostate{}, kOk, kInit, "<blank>"},
        {"boolean false", kActive, std::uint8_t{0}, kOk, kActive, "False"},
        {"boolean out of range", kActive, std::uint8_t{2}, kInvalidArgument, kActive, "True"},
        {"read-only column is the data layer's business", kRecId, 5, kOk, kRecId, "5"},
        {"field zero", 0, 5, kFieldOutOfRange, kName, "prev"},
        {"field past the last", 7, 5, kFieldOutOfRange, kName, "prev"},
    };
    View view(CombatantPacket());
    for (const PutCase& c : cases) {
        SCOPED_TRACE(c.label);
        Bytes record = view.NewRecord();
        ASSERT_EQ(view.Cursor().PutField(record.data(), kName, "prev"), kOk);
        const void* raw = std::visit(
            [](const auto& value) -> const void* {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::monostate>)
                    return nullptr;
                else if constexpr (std::is_same_v<T, std::string>)
                    return value.c_str();
                else
                    return &value;
            },
            c.value);
        EXPECT_EQ(view.Cursor().PutField(record.data(), c.field, raw), c.status);
        EXPECT_EQ(Describe(view, record, c.checked), c.expected);
    }
}

TEST(FieldAccess, GetFieldFillsExactlyWidthTimesFourPlusOne) {
    View view(CombatantPacket());
    const std::string widest = Repeat("\xF0\x9F\x98\x80", 50);
    Bytes record = view.NewRecord();
    ASSERT_EQ(view.Cursor().PutField(record.data(), kName, widest.c_str()), kOk);
    auto value = std::make_unique<char[]>(50 * 4 + 1);
    std::uint8_t blank = 1;
    ASSERT_EQ(view.Cursor().GetField(record.data(), kName, value.get(), &blank), kOk);
    EXPECT_EQ(blank, 0);
    EXPECT_EQ(std::string(value.get()), widest);

    EXPECT_EQ(view.Cursor().GetField(record.data(), kName, value.get(), nullptr), kInvalidArgument);
    EXPECT_EQ(view.Cursor().GetField(record.data(), 0, value.get(), &blank), kFieldOutOfRange);
    const Bytes garbage(record.size(), 1);
    EXPECT_EQ(view.Cursor().GetField(garbage.data(), kName, value.get(), &blank), kInvalidArgument);
}

} // namespace

} // namespace trevalo::engine::test
