// The combatant filter: which records it shows, how a post leaves the filtered view, and how
// setting Filter and Filtered settle a pending edit and return to the first record.
#include "tests/support/DataChain.h"

#include <functional>

namespace trevalo::test {
namespace {

QString PassFilter(int pass) {
    return QStringLiteral("[Active] = True and [Passes] >= ") + QString::number(pass);
}

using FilterTest = DataChainTest;

TEST_F(FilterTest, PassesCompareAsNumbers) {
    TWorkingView& view = Init();
    for (int passes : {1, 2, 9, 10, 11, 100})
        AddCombatant(view, QString::number(passes), passes);
    view.SetFilter(PassFilter(10));
    view.SetFiltered(true);
    EXPECT_EQ(Names(view), (QStringList{"100", "11", "10"}));
}

// A comparison with a blank field is undecided, and a record is hidden only when the filter is
// false: a combatant whose Passes cell was cleared stays in sight, unless it has already acted.
TEST_F(FilterTest, ARecordTheFilterCannotDecideIsShown) {
    struct Case {
        const char* name;
        QVariant active;
        QVariant passes;
        bool shown;
    };
    const Case cases[] = {
        {"active, passes cleared", true, {}, true},
        {"done, passes cleared", false, {}, false},
        {"active cleared, enough passes", {}, 2, true},
        {"active cleared, too few passes", {}, 1, false},
        {"both cleared", {}, {}, true},
        {"active, enough passes", true, 2, true},
        {"done, enough passes", false, 2, false},
    };
    TWorkingView& view = Init();
    QStringList shown;
    for (const Case& row : cases) {
        AddCombatant(view, QLatin1String(row.name), row.passes, row.active);
        if (row.shown)
            shown.prepend(QLatin1String(row.name));
    }
    view.SetFilter(PassFilter(2));
    view.SetFiltered(true);
    EXPECT_EQ(Names(view), shown);
}

TEST_F(FilterTest, PostingDoneRemovesTheRecordAndTheFollowingOneInViewOrderBecomesCurrent) {
    struct Case {
        int steps; ///< Next calls from the first record
        QStringList left;
        const char* current;
    };
    for (const Case& row :
         {Case{0, {"B", "C"}, "B"}, Case{1, {"A", "C"}, "C"}, Case{2, {"A", "B"}, "B"}}) {
        SCOPED_TRACE(row.steps);
        TWorkingView& view = Init();
        view.SetFiltered(false);
        while (!view.IsEmpty())
            view.Delete();
        // Initiatives sort the other way round, so a sorted order would tell another story.
        Fill(view, {"A", "B", "C"});
        for (int init = 1; !view.Eof(); ++init, view.Next()) {
            view.Edit();
            Set(view, "Init", init);
        }
        view.SetFilter(PassFilter(1));
        view.SetFiltered(true);
        for (int i = 0; i < row.steps; ++i)
            view.Next();
        view.Edit();
        Set(view, "Active", false);
        view.Post();
        EXPECT_EQ(CurrentName(view), row.current);
        EXPECT_FALSE(view.Eof());
        EXPECT_EQ(Names(view), row.left);
    }
}

TEST_F(FilterTest, PostingTheOnlyVisibleRecordDoneEmptiesTheView) {
    TWorkingView& view = Init();
    AddCombatant(view, QStringLiteral("Slow"), 1);
    AddCombatant(view, QStringLiteral("Fast"), 3);
    view.SetFilter(PassFilter(2));
    view.SetFiltered(true);
    view.Edit();
    Set(view, "Active", false);
    view.Post();
    EXPECT_TRUE(view.IsEmpty());
    EXPECT_TRUE(view.Eof());
    view.SetFiltered(false);
    EXPECT_EQ(Names(view), (QStringList{"Fast", "Slow"}));
}

TEST_F(FilterTest, ANewCombatantPostedInALaterPassLeavesUnlessItsPassesWereRaised) {
    TWorkingView& view = Init();
    AddCombatant(view, QStringLiteral("Old"), 3);
    view.SetFilter(PassFilter(2));
    view.SetFiltered(true);
    view.Insert();
    Set(view, "Name", QStringLiteral("New"));
    view.Post();
    EXPECT_EQ(CurrentName(view), "Old");
    view.Insert();
    Set(view, "Name", QStringLiteral("Raised"));
    Set(view, "Passes", 2);
    view.Post();
    EXPECT_EQ(CurrentName(view), "Raised");
    EXPECT_EQ(Names(view), (QStringList{"Raised", "Old"}));
}

// What each case does to a view that has just begun a record in front of B (of A, B).
struct SettleCase {
    const char* label;
    bool filteredBefore;
    std::function<void(TWorkingView&)> action;
    const char* currentTyped;     ///< the current record when a name was typed into the new one
    const char* currentUntouched; ///< and when nothing was
};

void PrintTo(const SettleCase& row, std::ostream* out) {
    *out << row.label;
}

class SettleTest : public DataChainTest, public ::testing::WithParamInterface<SettleCase> {};

TEST_P(SettleTest, ANewRecordIsStoredWhenTypedIntoAndDroppedWhenNot) {
    for (const bool typed : {true, false}) {
        SCOPED_TRACE(typed ? "typed" : "untouched");
        TWorkingView& view = Init();
        view.SetFiltered(false);
        while (!view.IsEmpty())
            view.Delete();
        Fill(view, {"A", "B"});
        view.SetFilter(PassFilter(1));
        view.SetFiltered(GetParam().filteredBefore);
        view.Next();
        view.Insert();
        if (typed)
            Set(view, "Name", QStringLiteral("N"));
        GetParam().action(view);
        EXPECT_EQ(view.State(), TDataSetState::dsBrowse);
        EXPECT_EQ(CurrentName(view), typed ? GetParam().currentTyped : GetParam().currentUntouched);
        EXPECT_EQ(Names(view), typed ? (QStringList{"A", "N", "B"}) : (QStringList{"A", "B"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, SettleTest,
    ::testing::Values(
        SettleCase{"switching Filtered on", false,
                   [](TWorkingView& view) { view.SetFiltered(true); }, "A", "A"},
        SettleCase{"switching Filtered off", true,
                   [](TWorkingView& view) { view.SetFiltered(false); }, "A", "A"},
        SettleCase{"setting Filtered as it is", true,
                   [](TWorkingView& view) { view.SetFiltered(true); }, "A", "A"},
        SettleCase{"setting another Filter while filtering", true,
                   [](TWorkingView& view) { view.SetFilter(PassFilter(0)); }, "A", "A"},
        SettleCase{"setting the same Filter while filtering", true,
                   [](TWorkingView& view) { view.SetFilter(PassFilter(1)); }, "A", "A"},
        SettleCase{"going to the first record", false, [](TWorkingView& view) { view.First(); },
                   "A", "A"},
        SettleCase{"going to the next record", true, [](TWorkingView& view) { view.Next(); }, "B",
                   "B"},
        SettleCase{"going to the record the insert was begun at", false,
                   [](TWorkingView& view) { view.GotoBookmark(view.GetBookmark()); }, "B", "B"}));

TEST_F(FilterTest, AViewOpenedWhileFilteredFiltersFromTheStart) {
    TWorkingView& view = Init();
    view.Close();
    view.SetFilter(PassFilter(2));
    view.SetFiltered(true);
    view.Open();
    EXPECT_TRUE(view.Filtered());
    AddCombatant(view, QStringLiteral("One"), 1);
    AddCombatant(view, QStringLiteral("Two"), 2);
    EXPECT_EQ(Names(view), QStringList{"Two"});
}

TEST_F(FilterTest, SettingFilterWhileNotFilteringOnlyStoresIt) {
    TWorkingView& view = Init();
    Fill(view, {"A"});
    view.Insert();
    Set(view, "Name", QStringLiteral("N"));
    view.SetFilter(PassFilter(5));
    EXPECT_EQ(view.State(), TDataSetState::dsInsert);
    EXPECT_EQ(view.Filter(), PassFilter(5));
    view.Post();
    EXPECT_EQ(Names(view), (QStringList{"N", "A"}));
}

TEST_F(FilterTest, ATextIsCompiledWhenItIsInstalledNotWhenItIsStored) {
    TWorkingView& view = Init();
    AddCombatant(view, QStringLiteral("A"), 1);
    AddCombatant(view, QStringLiteral("B"), 2);
    view.SetFilter(QStringLiteral("[Passes] >= 2 and"));
    EXPECT_EQ(ErrorOf([&] { view.SetFiltered(true); }), "Incorrectly formed filter expression");
    EXPECT_FALSE(view.Filtered());
    EXPECT_EQ(Names(view), (QStringList{"B", "A"}));

    view.SetFilter(QStringLiteral("[Passes] >= 2"));
    view.SetFiltered(true);
    EXPECT_EQ(Names(view), QStringList{"B"});
    EXPECT_EQ(ErrorOf([&] { view.SetFilter(QStringLiteral("[Pases] >= 1")); }),
              "Field 'Pases' not found");
    EXPECT_EQ(Names(view), QStringList{"B"}) << "the installed filter stays";
    view.SetFilter(QStringLiteral("[Passes] >= 1"));
    EXPECT_EQ(Names(view), (QStringList{"B", "A"}));
}

// Texts the engine would refuse are refused by the compiler, with its own message, before the
// installed filter is touched.
TEST_F(FilterTest, ATextTheCompilerRefusesLeavesTheInstalledFilterInForce) {
    const struct {
        QString text;
        const char* message;
    } cases[] = {
        {QStringLiteral("not ").repeated(100) + "True and True" +
             QStringLiteral(" or True").repeated(100),
         "Filter expression nested too deeply"},
        {QStringLiteral("[Name] > '") + QChar(0) + "'", "Invalid filter expression character: #0"},
    };
    TWorkingView& view = Init();
    AddCombatant(view, QStringLiteral("A"), 1);
    AddCombatant(view, QStringLiteral("B"), 2);
    view.SetFilter(PassFilter(2));
    view.SetFiltered(true);
    for (const auto& refused : cases) {
        EXPECT_EQ(ErrorOf([&] { view.SetFilter(refused.text); }), refused.message);
        EXPECT_TRUE(view.Filtered());
        EXPECT_EQ(view.Filter(), PassFilter(2));
        EXPECT_EQ(Names(view), QStringList{"B"});
    }
}

TEST_F(FilterTest, SettingTheInstalledTextAgainGoesToTheFirstRecord) {
    TWorkingView& view = Init();
    Fill(view, {"A", "B", "C"});
    view.SetFilter(PassFilter(1));
    view.SetFiltered(true);
    view.Next();
    view.Next();
    CountingLink link;
    Component<TDataSource>("dsInit").AddLink(&link);
    view.SetFilter(PassFilter(1));
    EXPECT_EQ(CurrentName(view), "A");
    EXPECT_EQ(link.DataSets, 1);
    Component<TDataSource>("dsInit").RemoveLink(&link);
}

} // namespace
} // namespace trevalo::test
