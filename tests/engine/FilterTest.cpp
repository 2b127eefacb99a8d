// Filter expressions: three-valued evaluation, and malformed bytes refused whole.
#include "tests/engine/EngineHarness.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace trevalo::engine::test {

namespace {

using namespace expr;

struct Row {
    std::optional<bool> active;
    std::optional<std::int32_t> passes;
    const char* name; ///< null: blank
};

struct EvalCase {
    const char* label;
    Row row;
    Bytes filter;
    bool shown;
};

Bytes Active() {
    return Field(kActive);
}
Bytes Passes() {
    return Field(kPasses);
}
Bytes Name() {
    return Field(kName);
}
Bytes Eq(const Bytes& l, const Bytes& r) {
    return Binary(Op::Equal, l, r);
}
Bytes Ge(const Bytes& l, const Bytes& r) {
    return Binary(Op::GreaterEqual, l, r);
}
Bytes And(const Bytes& l, const Bytes& r) {
    return Binary(Op::And, l, r);
}
Bytes Or(const Bytes& l, const Bytes& r) {
    return Binary(Op::Or, l, r);
}

/// The tracker's filter for pass \p pass.
Bytes PassFilter(std::int32_t pass) {
    return And(Eq(Active(), Bool(true)), Ge(Passes(), Int(pass)));
}

const std::nullopt_t blank = std::nullopt;

TEST(FilterEvaluation, ThreeValuedOverOneRecord) {
    const EvalCase cases[] = {
        {"active passes pass 1", {true, 1, "a"}, PassFilter(1), true},
        {"inactive fails", {false, 1, "a"}, PassFilter(1), false},
        {"9 passes fail pass 10", {true, 9, "a"}, PassFilter(10), false},
        {"10 passes pass pass 10", {true, 10, "a"}, PassFilter(10), true},
        {"blank Active is unknown, shown", {blank, 1, "a"}, Eq(Active(), Bool(true)), true},
        {"NOT unknown is unknown", {blank, 1, "a"}, Not(Eq(Active(), Bool(true))), true},
        {"NOT true is false", {true, 1, "a"}, Not(Eq(Active(), Bool(true))), false},
        {"false AND unknown is false", {false, blank, "a"}, PassFilter(1), false},
        {"true AND unknown is unknown", {true, blank, "a"}, PassFilter(1), true},
        {"true OR unknown is true",
         {true, blank, "a"},
         Or(Eq(Active(), Bool(true)), Ge(Passes(), Int(1))),
         true},
        {"false OR unknown is unknown",
         {false, blank, "a"},
         Or(Eq(Active(), Bool(true)), Ge(Passes(), Int(1))),
         true},
        {"false OR false is false",
         {false, 5, "a"},
         Or(Eq(Active(), Bool(true)), Ge(Passes(), Int(10))),
         false},
        {"comparison with NULL is unknown", {true, 1, "a"}, Eq(Passes(), Null()), true},
        {"NULL alone is unknown", {true, 1, "a"}, Null(), true},
        {"false constant", {true, 1, "a"}, Bool(false), false},
        {"boolean field alone", {false, 1, "a"}, Active(), false},
        {"blank boolean field alone", {blank, 1, "a"}, Active(), true},
        {"integer against float", {true, 10, "a"}, Ge(Passes(), Real(9.5)), true},
        {"integer below float", {true, 9, "a"}, Ge(Passes(), Real(9.5)), false},
        {"integers equal", {true, 3, "a"}, Binary(Op::NotEqual, Passes(), Int(3)), false},
        {"less equal", {true, 3, "a"}, Binary(Op::LessEqual, Passes(), Int(3)), true},
        {"negative less", {true, -4, "a"}, Binary(Op::Less, Passes(), Int(-3)), true},
        {"greater", {true, 3, "a"}, Binary(Op::Greater, Passes(), Int(3)), false},
        {"False sorts before True", {false, 1, "a"}, Binary(Op::Less, Active(), Bool(true)), true},
        {"True not before True", {true, 1, "a"}, Binary(Op::Less, Active(), Bool(true)), false},
        {"strings by code point", {true, 1, "Z"}, Binary(Op::Less, Name(), Str("a")), true},
        {"accented after z", {true, 1, "\xC3\xA9"}, Binary(Op::Greater, Name(), Str("z")), true},
        {"prefix sorts first", {true, 1, "ab"}, Binary(Op::Less, Name(), Str("abc")), true},
        {"blank string is unknown", {true, 1, nullptr}, Eq(Name(), Str("x")), true},
        {"empty string is not blank", {true, 1, ""}, Eq(Name(), Str("x")), false},
        {"fields compared", {true, 1, "a"}, Eq(Passes(), Field(kPasses)), true},
    };
    for (const EvalCase& c : cases) {
        SCOPED_TRACE(c.label);
        View view(CombatantPacket());
        Bytes record = view.NewRecord();
        const std::uint8_t active = c.row.active.value_or(false) ? 1 : 0;
        const std::int32_t passes = c.row.passes.value_or(0);
        IRecordCursor& cursor = view.Cursor();
        ASSERT_EQ(cursor.PutField(record.data(), kActive, c.row.active ? &active : nullptr), kOk);
        ASSERT_EQ(cursor.PutField(record.data(), kPasses, c.row.passes ? &passes : nullptr), kOk);
        ASSERT_EQ(cursor.PutField(record.data(), kName, c.row.name), kOk);
        ASSERT_EQ(cursor.InsertRecord(record.data()), kOk);
        std::uint32_t handle = 0;
        ASSERT_EQ(
            cursor.AddFilter(c.filter.data(), static_cast<std::uint32_t>(c.filter.size()), &handle),
            kOk);
        ASSERT_EQ(cursor.MoveToBof(), kOk);
        EXPECT_EQ(cursor.MoveBy(1), c.shown ? kOk : kEof);
    }
}

struct MalformedCase {
    const char* label;
    Bytes bytes;
    Status status;
};

Bytes Nested(int depth) {
    Bytes out(static_cast<std::size_t>(depth), static_cast<std::uint8_t>(Op::Not));
    const Bytes leaf = Bool(true);
    out.insert(out.end(), leaf.begin(), leaf.end());
    return out;
}

TEST(FilterParsing, RefusesMalformedExpressions) {
    Bytes trailing = PassFilter(1);
    trailing.push_back(static_cast<std::uint8_t>(Op::Null));
    Bytes longString = Str("abc");
    longString[1] = 200;
    const MalformedCase cases[] = {
        {"empty", {}, kInvalidExpression},
        {"unknown opcode", {0x63}, kInvalidExpression},
        {"opcode zero", {0}, kInvalidExpression},
        {"truncated integer", {static_cast<std::uint8_t>(Op::Integer), 1, 0}, kInvalidExpression},
        {"truncated field", {static_cast<std::uint8_t>(Op::Field), 1}, kInvalidExpression},
        {"string past the end", Eq(Name(), longString), kInvalidExpression},
        {"string not UTF-8", Eq(Name(), Str("\xC3")), kInvalidExpression},
        {"string with zero byte", Eq(Name(), Str(std::string_view("a\0b", 3))), kInvalidExpression},
        {"boolean of 2", {static_cast<std::uint8_t>(Op::Boolean), 2}, kInvalidExpression},
        {"float NaN", Ge(Passes(), Real(std::numeric_limits<double>::quiet_NaN())),
         kInvalidExpression},
        {"field zero", Eq(Field(0), Int(1)), kInvalidExpression},
        {"field past the last", Eq(Field(7), Int(1)), kInvalidExpression},
        {"AND with one operand", Binary(Op::And, Bool(true), {}), kInvalidExpression},
        {"trailing bytes", trailing, kInvalidExpression},
        {"integer as condition", Int(1), kInvalidExpression},
        {"string field as condition", Name(), kInvalidExpression},
        {"AND over integers", And(Passes(), Int(1)), kInvalidExpression},
        {"comparison of conditions", Eq(Eq(Passes(), Int(1)), Bool(true)), kInvalidExpression},
        {"assignment as filter", Assign(kPasses, Int(1)), kInvalidExpression},
        {"nesting too deep", Nested(100000), kInvalidExpression},
        {"string against integer", Eq(Name(), Int(1)), kTypeMismatch},
        {"boolean against integer", Eq(Active(), Int(1)), kTypeMismatch},
        {"integer field against string", Ge(Passes(), Str("3")), kTypeMismatch},
    };
    View view(CombatantPacket());
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::uint32_t handle = 77;
        EXPECT_EQ(view.Cursor().AddFilter(c.bytes.data(),
                                          static_cast<std::uint32_t>(c.bytes.size()), &handle),
                  c.status);
        EXPECT_EQ(handle, 77u);
    }
    EXPECT_EQ(view.Cursor().DropFilter(77), kInvalidArgument) << "nothing was installed";
    EXPECT_EQ(view.Cursor().AddFilter(Nested(150).data(), 152, nullptr), kInvalidArgument);
}

TEST(FilterParsing, EveryProperPrefixIsRefused) {
    const Bytes full =
        Or(PassFilter(3), And(Binary(Op::Less, Name(), Str("m\xC3\xA9")), Ge(Passes(), Real(2.5))));
    View view(CombatantPacket());
    std::uint32_t handle = 0;
    for (std::size_t length = 0; length < full.size(); ++length)
        EXPECT_NE(view.Cursor().AddFilter(full.data(), static_cast<std::uint32_t>(length), &handle),
                  kOk)
            << length;
    EXPECT_EQ(
        view.Cursor().AddFilter(full.data(), static_cast<std::uint32_t>(full.size()), &handle),
        kOk);
}

TEST(FilterParsing, RandomBytesNeverCrash) {
    View view(CombatantPacket());
    for (const char* shape : {"a", "b-"})
        ASSERT_EQ(view.Cursor().InsertRecord(view.Combatant(shape).data()), kOk);
    std::mt19937 random(20240611);
    const std::uint8_t alphabet[] = {1,  2,  3,  4,  5, 6, 10, 11, 12, 20, 21, 22,
                                     23, 24, 25, 30, 0, 1, 2,  3,  5,  6,  7,  0xFF};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<std::size_t> length(0, 24);
    for (int i = 0; i < 20000; ++i) {
        Bytes bytes(length(random));
        for (auto& byte : bytes)
            byte = alphabet[pick(random)];
        std::uint32_t handle = 0;
        const Status status = view.Cursor().AddFilter(
            bytes.data(), static_cast<std::uint32_t>(bytes.size()), &handle);
        ASSERT_TRUE(status == kOk || status == kInvalidExpression || status == kTypeMismatch)
            << status;
        if (status != kOk)
            continue;
        view.VisibleNames();
        ASSERT_EQ(view.Cursor().DropFilter(handle), kOk);
    }
}

} // namespace

} // namespace trevalo::engine::test
