// Moving, inserting, replacing and deleting through the cursor, as scripted scenarios.
#include "tests/engine/EngineHarness.h"

#include <gtest/gtest.h>
#include <sstream>

namespace trevalo::engine::test {

namespace {

enum class Do {
    Bof,
    Eof,
    Next,
    Prev,
    Insert,  ///< a new record from the argument ("x" active, "x-" inactive)
    Replace, ///< the current record by a new one from the argument
    Delete,
    Scribble, ///< changes a copy of the current record without posting it
    Filter,   ///< installs "[Active] = True"
    Unfilter, ///< drops that filter
};

struct Step {
    Do action;
    std::string_view argument;
    Status status;
    std::string_view current; ///< the current record's name afterwards, "" for none
};

struct Scenario {
    std::string_view name;
    std::string_view seed; ///< records put in at the end, in this order
    std::vector<Step> steps;
    std::string_view visible; ///< the visible order at the end
};

constexpr Status ok = kOk;

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

const Scenario kScenarios[] = {
    {"InsertIntoEmptyTable", "", {{Do::Insert, "a", ok, "a"}}, "a"},
    {"InsertLandsBeforeCursor",
     "a b c",
     {{Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Next, "", ok, "b"},
      {Do::Insert, "x", ok, "x"},
      {Do::Next, "", ok, "b"}},
     "a x b c"},
    {"InsertAtBofLandsFirst", "a b", {{Do::Bof, "", ok, ""}, {Do::Insert, "x", ok, "x"}}, "x a b"},
    {"InsertAtEofLandsLast",
     "a b",
     {{Do::Eof, "", ok, ""}, {Do::Insert, "x", ok, "x"}, {Do::Prev, "", ok, "b"}},
     "a b x"},
    {"InsertAfterMovePastLastLandsLast",
     "a b",
     {{Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Next, "", ok, "b"},
      {Do::Next, "", kEof, ""},
      {Do::Insert, "x", ok, "x"}},
     "a b x"},
    {"DeleteInMiddleGoesToFollower",
     "a b c",
     {{Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Next, "", ok, "b"},
      {Do::Delete, "", ok, "c"},
      {Do::Prev, "", ok, "a"}},
     "a c"},
    {"DeleteLastGoesToOneBefore",
     "a b c",
     {{Do::Eof, "", ok, ""},
      {Do::Prev, "", ok, "c"},
      {Do::Delete, "", ok, "b"},
      {Do::Next, "", kEof, ""}},
     "a b"},
    {"DeleteOnlyLeavesEmptyTable",
     "a",
     {{Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Delete, "", ok, ""},
      {Do::Next, "", kEof, ""},
      {Do::Prev, "", kBof, ""}},
     ""},
    {"DeleteSkipsHiddenFollowers",
     "a b- c d-",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Delete, "", ok, "c"}},
     "c"},
    {"DeleteLastVisibleSkipsHiddenFollower",
     "a b c-",
     {{Do::Filter, "", ok, ""},
      {Do::Eof, "", ok, ""},
      {Do::Prev, "", ok, "b"},
      {Do::Delete, "", ok, "a"}},
     "a"},
    {"DeleteOnlyVisibleLeavesCursorAtBof",
     "a- b c-",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "b"},
      {Do::Delete, "", ok, ""},
      {Do::Insert, "x", ok, "x"},
      {Do::Unfilter, "", ok, "x"}},
     "x a c"},
    {"ReplaceKeepsPlace",
     "a b c",
     {{Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Next, "", ok, "b"},
      {Do::Replace, "y", ok, "y"},
      {Do::Next, "", ok, "c"}},
     "a y c"},
    {"ReplaceFailingFilterThenNext",
     "a b c",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Next, "", ok, "b"},
      {Do::Replace, "b-", ok, ""},
      {Do::Next, "", ok, "c"}},
     "a c"},
    {"ReplaceFailingFilterThenPrev",
     "a b c",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Next, "", ok, "b"},
      {Do::Replace, "b-", ok, ""},
      {Do::Prev, "", ok, "a"}},
     "a c"},
    {"ReplacedHiddenRecordReturnsWithoutFilter",
     "a b",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Replace, "a-", ok, ""},
      {Do::Unfilter, "", ok, "a"}},
     "a b"},
    {"InsertFailingFilterThenNext",
     "a b",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Next, "", ok, "b"},
      {Do::Insert, "x-", ok, ""},
      {Do::Next, "", ok, "b"}},
     "a b"},
    {"InsertFailingFilterThenPrev",
     "a b",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Next, "", ok, "b"},
      {Do::Insert, "x-", ok, ""},
      {Do::Prev, "", ok, "a"}},
     "a b"},
    {"MovesSkipHiddenAndStopAtEnds",
     "a- b c- d e-",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "b"},
      {Do::Next, "", ok, "d"},
      {Do::Next, "", kEof, ""},
      {Do::Next, "", kEof, ""},
      {Do::Prev, "", ok, "d"},
      {Do::Prev, "", ok, "b"},
      {Do::Prev, "", kBof, ""},
      {Do::Prev, "", kBof, ""},
      {Do::Next, "", ok, "b"}},
     "b d"},
    {"PrevFromEofReachesLastVisible",
     "a b-",
     {{Do::Filter, "", ok, ""}, {Do::Eof, "", ok, ""}, {Do::Prev, "", ok, "a"}},
     "a"},
    {"EverythingHidden",
     "a- b-",
     {{Do::Filter, "", ok, ""},
      {Do::Bof, "", ok, ""},
      {Do::Next, "", kEof, ""},
      {Do::Prev, "", kBof, ""}},
     ""},
    {"MovesInEmptyTable", "", {{Do::Next, "", kEof, ""}, {Do::Prev, "", kBof, ""}}, ""},
    {"NoCurrentRecordAtEnds",
     "a",
     {{Do::Bof, "", ok, ""},
      {Do::Delete, "", kNoCurrentRecord, ""},
      {Do::Replace, "x", kNoCurrentRecord, ""},
      {Do::Eof, "", ok, ""},
      {Do::Delete, "", kNoCurrentRecord, ""}},
     "a"},
    {"HiddenCurrentCannotBeReplacedOrDeleted",
     "a b",
     {{Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Replace, "a-", ok, "a"},
      {Do::Filter, "", ok, ""},
      {Do::Replace, "x", kNoCurrentRecord, ""},
      {Do::Delete, "", kNoCurrentRecord, ""},
      {Do::Unfilter, "", ok, "a"}},
     "a b"},
    {"CopiesAndFiltersChangeNoRecord",
     "a b- c",
     {{Do::Bof, "", ok, ""},
      {Do::Next, "", ok, "a"},
      {Do::Scribble, "z", ok, "a"},
      {Do::Filter, "", ok, "a"},
      {Do::Next, "", ok, "c"},
      {Do::Unfilter, "", ok, "c"},
      {Do::Prev, "", ok, "b"}},
     "a b c"},
};

class CursorScenario : public ::testing::TestWithParam<Scenario> {
protected:
    Status Perform(const Step& step) {
        IRecordCursor& cursor = view_.Cursor();
        switch (step.action) {
        case Do::Bof:
            return cursor.MoveToBof();
        case Do::Eof:
            return cursor.MoveToEof();
        case Do::Next:
            return cursor.MoveBy(1);
        case Do::Prev:
            return cursor.MoveBy(-1);
        case Do::Insert:
            return cursor.InsertRecord(view_.Combatant(step.argument).data());
        case Do::Replace:
            return cursor.ModifyRecord(view_.Combatant(step.argument).data());
        case Do::Delete:
            return cursor.DeleteRecord();
        case Do::Scribble: {
            auto copy = view_.CurrentRecord();
            if (!copy)
                return kNoCurrentRecord;
            return cursor.PutField(copy->data(), kName, std::string(step.argument).c_str());
        }
        case Do::Filter:
            filter_ = view_.FilterActive();
            return kOk;
        case Do::Unfilter:
            return cursor.DropFilter(filter_);
        }
        return kInvalidArgument;
    }

    View view_{CombatantPacket()};
    std::uint32_t filter_ = 0;
};

TEST_P(CursorScenario, FollowsScript) {
    const Scenario& scenario = GetParam();
    std::istringstream seed{std::string(scenario.seed)};
    for (std::string shape; seed >> shape;) {
        ASSERT_EQ(view_.Cursor().MoveToEof(), kOk);
        ASSERT_EQ(view_.Cursor().InsertRecord(view_.Combatant(shape).data()), kOk);
    }
    ASSERT_EQ(view_.Cursor().MoveToBof(), kOk);

    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1));
        EXPECT_EQ(Perform(step), step.status);
        EXPECT_EQ(view_.CurrentName(), step.current);
    }
    EXPECT_EQ(view_.VisibleNames(), scenario.visible);
}

INSTANTIATE_TEST_SUITE_P(Engine, CursorScenario, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

class CursorTest : public ::testing::Test {
protected:
    Bytes Bookmark() {
        Bytes bookmark(size_, 0);
        Bytes record(view_.NewRecord().size());
        EXPECT_EQ(view_.Cursor().GetCurrentRecord(record.data(), bookmark.data()), kOk);
        return bookmark;
    }

    void Insert(std::string_view shape) {
        ASSERT_EQ(view_.Cursor().InsertRecord(view_.Combatant(shape).data()), kOk);
    }

    View view_{CombatantPacket()};
    std::uint32_t size_ = [this] {
        std::uint32_t size = 0;
        EXPECT_EQ(view_.Cursor().GetBookmarkSize(&size), kOk);
        return size;
    }();
};

TEST_F(CursorTest, BookmarksFollowTheirRecordUntilItGoesOrHides) {
    EXPECT_EQ(size_, 4u);
    Insert("c");
    const Bytes c = Bookmark();
    Insert("b-");
    const Bytes b = Bookmark();
    Insert("a");
    const Bytes a = Bookmark();
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);

    ASSERT_EQ(view_.Cursor().MoveToEof(), kOk);
    ASSERT_EQ(view_.Cursor().MoveToBookmark(b.data()), kOk);
    EXPECT_EQ(view_.CurrentName(), "b");
    ASSERT_EQ(view_.Cursor().MoveToBof(), kOk);
    Insert("x");
    ASSERT_EQ(view_.Cursor().MoveToBookmark(c.data()), kOk);
    EXPECT_EQ(view_.CurrentName(), "c");

    view_.FilterActive();
    EXPECT_EQ(view_.Cursor().MoveToBookmark(b.data()), kBookmarkNotFound);
    EXPECT_EQ(view_.CurrentName(), "c") << "a failed move leaves the cursor";

    ASSERT_EQ(view_.Cursor().DeleteRecord(), kOk);
    EXPECT_EQ(view_.Cursor().MoveToBookmark(c.data()), kBookmarkNotFound);
    Insert("y");
    EXPECT_NE(Bookmark(), c) << "ids are never reused";
    EXPECT_EQ(view_.Cursor().MoveToBookmark(c.data()), kBookmarkNotFound);
    ASSERT_EQ(view_.Cursor().MoveToBookmark(a.data()), kOk);
    EXPECT_EQ(view_.CurrentName(), "a");
}

TEST_F(CursorTest, FiltersCombineAndDropByHandle) {
    for (const char* shape : {"a", "b-", "c"})
        Insert(shape);
    const Bytes named = expr::Binary(Op::NotEqual, expr::Field(kName), expr::Str("a"));
    std::uint32_t handle = 0;
    ASSERT_EQ(
        view_.Cursor().AddFilter(named.data(), static_cast<std::uint32_t>(named.size()), &handle),
        kOk);
    const std::uint32_t active = view_.FilterActive();
    EXPECT_NE(handle, active);
    EXPECT_EQ(view_.VisibleNames(), "c");
    ASSERT_EQ(view_.Cursor().DropFilter(handle), kOk);
    EXPECT_EQ(view_.VisibleNames(), "c a");
    EXPECT_EQ(view_.Cursor().DropFilter(handle), kInvalidArgument);
    EXPECT_EQ(view_.Cursor().DropFilter(0), kInvalidArgument);
    ASSERT_EQ(view_.Cursor().DropFilter(active), kOk);
    EXPECT_EQ(view_.VisibleNames(), "c b a");
}

TEST_F(CursorTest, RefusesBadMovesAndBadRecords) {
    Insert("a");
    EXPECT_EQ(view_.Cursor().MoveBy(0), kInvalidArgument);
    EXPECT_EQ(view_.Cursor().MoveBy(2), kInvalidArgument);
    EXPECT_EQ(view_.CurrentName(), "a");

    Bytes badPresence = view_.Combatant("b");
    badPresence[0] = 2;
    EXPECT_EQ(view_.Cursor().InsertRecord(badPresence.data()), kInvalidArgument);
    EXPECT_EQ(view_.Cursor().ModifyRecord(badPresence.data()), kInvalidArgument);
    const Bytes unterminated(badPresence.size(), 1);
    EXPECT_EQ(view_.Cursor().InsertRecord(unterminated.data()), kInvalidArgument);
    EXPECT_EQ(view_.Cursor().InsertRecord(nullptr), kInvalidArgument);
    EXPECT_EQ(view_.VisibleNames(), "a");
}

TEST(CursorLifecycle, OneCursorPerOpenedBase) {
    const Bytes packet = CombatantPacket();
    auto base = MakeBase();
    auto cursor = MakeCursor();
    std::uint32_t size = 0;
    EXPECT_EQ(cursor->GetBufferSize(&size), kInvalidState);
    EXPECT_EQ(cursor->MoveBy(1), kInvalidState);
    EXPECT_EQ(cursor->Attach(base.get()), kInvalidState) << "the base is not open";
    EXPECT_EQ(cursor->Attach(nullptr), kInvalidArgument);
    ASSERT_EQ(base->Open(packet.data(), static_cast<std::uint32_t>(packet.size())), kOk);
    EXPECT_EQ(base->Open(packet.data(), static_cast<std::uint32_t>(packet.size())), kInvalidState);
    ASSERT_EQ(cursor->Attach(base.get()), kOk);

    auto second = MakeCursor();
    EXPECT_EQ(second->Attach(base.get()), kInvalidState);
    cursor.reset();
    EXPECT_EQ(second->Attach(base.get()), kOk);
}

TEST(CursorLifecycle, CursorOutlivesItsBase) {
    const Bytes packet = CombatantPacket();
    auto base = MakeBase();
    auto cursor = MakeCursor();
    ASSERT_EQ(base->Open(packet.data(), static_cast<std::uint32_t>(packet.size())), kOk);
    ASSERT_EQ(cursor->Attach(base.get()), kOk);
    base.reset();

    std::uint32_t size = 0;
    ASSERT_EQ(cursor->GetBufferSize(&size), kOk);
    Bytes record(size);
    ASSERT_EQ(cursor->InitRecord(record.data()), kOk);
    ASSERT_EQ(cursor->InsertRecord(record.data()), kOk);
    EXPECT_EQ(cursor->GetCurrentRecord(record.data(), nullptr), kOk);
}

} // namespace

} // namespace trevalo::engine::test
