// What a step keeps of the fight: crossed once it takes the fight back, crossed again forth, and
// it keeps no more than what differs.
#include "tracker/FightChange.h"

#include "RandomFight.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/RandomRun.h"

#include <gtest/gtest.h>

namespace trevalo {
namespace {

FightCombatant Fighter(const char* name, int init, bool active = true) {
    return {QString::fromUtf8(name), init, 1, active};
}

Fight FightOf(std::vector<FightCombatant> combatants, std::vector<FightEffect> effects = {}) {
    Fight fight;
    fight.Combatants = std::move(combatants);
    fight.Effects = std::move(effects);
    return fight;
}

/// How many values \p change keeps: cells, or the rows of a run.
template <class Row> std::size_t Kept(const TableChange<Row>& change) {
    if (const auto* run = std::get_if<ReplacedRows<Row>>(&change))
        return run->Rows.size();
    return std::apply([](const auto&... field) { return (field.size() + ...); },
                      std::get<ChangedCells<Row>>(change));
}

/// Crossing the change of \p before to \p after takes \p after back, and crossing it again
/// forth.
void ExpectCrossesBothWays(const Fight& before, const Fight& after) {
    std::optional<FightChange> change = CompareFights(before, after);
    ASSERT_TRUE(change);
    Fight fight = after;
    Cross(*change, fight);
    EXPECT_EQ(fight, before);
    Cross(*change, fight);
    EXPECT_EQ(fight, after);
    Cross(*change, fight);
    EXPECT_EQ(fight, before);
}

struct ChangeCase {
    const char* what;
    Fight before;
    Fight after;
    std::size_t keptCombatants; ///< values kept of the combatants
    std::optional<std::size_t> firstCombatant;
};

class Change : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(Change, CrossesBothWaysAndKeepsOnlyWhatDiffers) {
    const ChangeCase& c = GetParam();
    ExpectCrossesBothWays(c.before, c.after);
    const std::optional<FightChange> change = CompareFights(c.before, c.after);
    ASSERT_TRUE(change);
    EXPECT_EQ(Kept(change->Combatants), c.keptCombatants);
    EXPECT_EQ(FirstTouched(change->Combatants), c.firstCombatant);
}

const Fight kThree = FightOf({Fighter("Ann", 12), Fighter("Bob", 8), Fighter("Cy", 5)},
                             {{QStringLiteral("Haste"), 3}});

Fight With(Fight fight, const std::function<void(Fight&)>& change) {
    change(fight);
    return fight;
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, Change,
    ::testing::Values(
        ChangeCase{"done", kThree, With(kThree, [](Fight& f) { f.Combatants[1].Active = false; }),
                   1, 1},
        ChangeCase{"an edit of two fields", kThree,
                   With(kThree,
                        [](Fight& f) {
                            f.Combatants[2].Name = std::nullopt;
                            f.Combatants[2].Init = 20;
                        }),
                   2, 2},
        ChangeCase{
            "inserted first", kThree,
            With(kThree,
                 [](Fight& f) { f.Combatants.insert(f.Combatants.begin(), Fighter("Dee", 1)); }),
            0, 0},
        ChangeCase{"inserted between", kThree,
                   With(kThree,
                        [](Fight& f) {
                            f.Combatants.insert(f.Combatants.begin() + 2, Fighter("Dee", 1));
                        }),
                   0, 2},
        ChangeCase{"inserted last", kThree,
                   With(kThree, [](Fight& f) { f.Combatants.push_back(Fighter("Dee", 1)); }), 0, 3},
        ChangeCase{"a copy of its neighbour inserted", kThree,
                   With(kThree,
                        [](Fight& f) {
                            f.Combatants.insert(f.Combatants.begin() + 1, Fighter("Bob", 8));
                        }),
                   0, 2},
        ChangeCase{"deleted first", kThree,
                   With(kThree, [](Fight& f) { f.Combatants.erase(f.Combatants.begin()); }), 1, 0},
        ChangeCase{"deleted last", kThree, With(kThree, [](Fight& f) { f.Combatants.pop_back(); }),
                   1, 2},
        ChangeCase{"every one deleted", kThree,
                   With(kThree, [](Fight& f) { f.Combatants.clear(); }), 3, 0},
        ChangeCase{"the first put into an empty table", FightOf({}), FightOf({Fighter("Ann", 12)}),
                   0, 0},
        ChangeCase{"a new turn", kThree,
                   With(kThree,
                        [](Fight& f) {
                            f.Turn = 2;
                            for (FightCombatant& c : f.Combatants)
                                c.Init = 0;
                            f.Effects.clear();
                        }),
                   3, 0},
        ChangeCase{"a box", kThree, With(kThree, [](Fight& f) { f.KeepInit = true; }), 0,
                   std::nullopt}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.what);
        name.removeIf([](QChar c) { return !c.isLetter(); });
        return name.toStdString();
    });

TEST(FightChange, WhatShowAllEntriesShowsAloneIsNoStep) {
    Fight before = kThree;
    Fight after = kThree;
    after.ShowAllEntries = after.ShowingAll = true;
    EXPECT_FALSE(CompareFights(before, after));
    EXPECT_FALSE(CompareFights(after, before));
    EXPECT_FALSE(CompareFights(before, before));
}

TEST(FightChange, EveryoneShowsAgainOnlyWhileTheBoxIsTicked) {
    // New Turn filters again under the ticked box.
    Fight before = kThree;
    before.ShowAllEntries = before.ShowingAll = true;
    Fight after = before;
    after.Turn = 2;
    after.ShowingAll = false;
    std::optional<FightChange> change = CompareFights(before, after);
    ASSERT_TRUE(change);
    Fight fight = after;
    Cross(*change, fight);
    EXPECT_TRUE(fight.ShowingAll);
    Cross(*change, fight);
    EXPECT_FALSE(fight.ShowingAll);

    fight.ShowAllEntries = false;
    Cross(*change, fight);
    EXPECT_EQ(fight.Turn, 1);
    EXPECT_FALSE(fight.ShowingAll) << "the box unticked since";
    EXPECT_FALSE(fight.ShowAllEntries);

    // A step that left the view alone leaves it as the user has set it since.
    Fight done = kThree;
    done.Combatants[0].Active = false;
    std::optional<FightChange> doneChange = CompareFights(kThree, done);
    done.ShowAllEntries = done.ShowingAll = true;
    Cross(*doneChange, done);
    EXPECT_TRUE(done.ShowAllEntries);
    EXPECT_TRUE(done.ShowingAll);
}

TEST(FightChange, ADoneAmongAThousandKeepsOneCell) {
    Fight before;
    for (int i = 0; i < 1000; ++i)
        before.Combatants.push_back(Fighter("Orc", i % 30));
    Fight after = before;
    after.Combatants[637].Active = false;
    const std::optional<FightChange> change = CompareFights(before, after);
    ASSERT_TRUE(change);
    const auto& cells = std::get<ChangedCells<FightCombatant>>(change->Combatants);
    EXPECT_EQ(std::get<3>(cells).size(), 1u);
    EXPECT_EQ(std::get<3>(cells).capacity(), 1u) << "no room kept to grow";
    EXPECT_EQ(Kept(change->Combatants), 1u);
    EXPECT_EQ(FirstTouched(change->Combatants), 637u);
}

/// \p fight with a few rows inserted, deleted or edited here and there, and maybe a counter or
/// box changed.
Fight Mutated(Fight fight, std::mt19937& random) {
    const auto draw = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const Fight other = test::RandomFight(random, 6);
    auto& rows = fight.Combatants;
    for (int edits = draw(1, 4); edits > 0; --edits) {
        const auto at = static_cast<std::size_t>(draw(0, static_cast<int>(rows.size())));
        switch (draw(0, 3)) {
        case 0:
            if (!other.Combatants.empty())
                rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), other.Combatants[0]);
            break;
        case 1:
            if (at < rows.size())
                rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 2:
            if (at < rows.size())
                rows[at].Init = draw(-3, 6);
            break;
        default:
            fight.Effects = other.Effects;
            fight.Turn = other.Turn;
            fight.KeepInit = other.KeepInit;
            break;
        }
    }
    return fight;
}

TEST(FightChange, RandomChangesCrossBothWays) {
    const test::RandomRun run = test::RandomRunSettings("TREVALO_FIGHT_CHANGES", 2000);
    std::mt19937 random(run.Seed);
    for (std::uint64_t i = 0; i < run.Steps; ++i) {
        const Fight before = test::RandomFight(random, 12);
        const Fight after = Mutated(before, random);
        if (!CompareFights(before, after)) {
            EXPECT_EQ(before, after) << "change " << i;
            continue;
        }
        ExpectCrossesBothWays(before, after);
        if (HasFailure())
            FAIL() << "change " << i;
    }
}

} // namespace
} // namespace trevalo
