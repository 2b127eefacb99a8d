// A fight kept in a file, through the real window: what is opened is what was saved, each
// action that changes the fight is written once when it is over, and a write that fails is
// told once while the fight and the old file stay.
#include "tracker/FightFile.h"

#include "FileRights.h"
#include "RandomFight.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/grid/view/TNavigatorButtons.h"
#include "tests/support/GridDriver.h"
#include "tests/support/RandomRun.h"
#include "tests/support/TrackerFixture.h"
#include "tracker/FightFileSaver.h"
#include "tracker/FightJson.h"
#include "tracker/FightWatch.h"
#include "tracker/FightWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/resource.h>

namespace trevalo {
namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class FightFile : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        ASSERT_TRUE(folder_.isValid());
        path_ = folder_.filePath(QStringLiteral("fight.trevalo"));
    }

    /// The window closed and a new one started, as a second run of the program.
    void Restart() {
        TearDown();
        TrackerFixture::SetUp();
    }

    /// Opens \p path as the program does, and counts the actions that change the fight.
    void Open(const QString& path) {
        FightFileSaver::Keep(*main_, path, OpenFightFile(path));
        QObject::connect(&FightWatch::Of(*main_), &FightWatch::Changed,
                         [this](const Fight&, const Fight&) { ++writes_; });
        writes_ = 0;
    }
    /// Writes \p fight to the file and opens it in a new window.
    void OpenWith(const Fight& fight) {
        WriteFightFile(path_, fight);
        Restart();
        Open(path_);
    }
    /// Whether the file holds the fight the window shows.
    bool FileHoldsTheWindow() const { return Bytes(path_) == FightToJson(CaptureFight(*main_)); }

    /// As the user's click does, it makes the window active again after a box.
    void Click(const char* checkBox) {
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        QTest::mouseClick(&Component<TStyledCheckBox>(checkBox), Qt::LeftButton);
    }

    QTemporaryDir folder_;
    QString path_;
    int writes_ = 0;
};

/// Three combatants, two effects that end on turn 2 and one later.
Fight SmallFight() {
    Fight fight;
    fight.Combatants = {{QStringLiteral("Ann"), 12, 2, true},
                        {QStringLiteral("Bob"), 9, 1, true},
                        {QStringLiteral("Cy"), 9, 1, true}};
    fight.Effects = {
        {QStringLiteral("Haste"), 2}, {QStringLiteral("Blind"), 2}, {QStringLiteral("Shield"), 8}};
    return fight;
}

TEST_F(FightFile, AFileNotThereYetIsMadeWithANewFightAndTheTitleNamesIt) {
    const QString before = main_->windowTitle();
    ASSERT_FALSE(QFile::exists(path_));
    Open(path_);
    EXPECT_EQ(Bytes(path_), FightToJson(Fight()));
    EXPECT_EQ(CaptureFight(*main_), Fight());
    EXPECT_EQ(before, QStringLiteral("Main"));
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("fight.trevalo - Trevalo"));
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList({"fight.trevalo"}));
}

TEST_F(FightFile, WhatIsSavedComesBackAndIsSavedInTheSameBytes) {
    const test::RandomRun run = test::RandomRunSettings("TREVALO_FIGHT_FILES", 12);
    std::mt19937 random(run.Seed);
    for (std::uint64_t i = 0; i < run.Steps; ++i) {
        SCOPED_TRACE(i);
        const Fight fight = test::RandomFight(random, i % 4 == 3 ? 3000 : 12);
        const QByteArray saved = FightToJson(fight);
        OpenWith(fight);
        ASSERT_EQ(CaptureFight(*main_), fight);
        // Ticked and unticked again: two changes, each saved, the second one back to the fight.
        Click("chkbxKeepInit");
        EXPECT_EQ(writes_, 1);
        EXPECT_NE(Bytes(path_), saved);
        Click("chkbxKeepInit");
        EXPECT_EQ(writes_, 2);
        EXPECT_EQ(Bytes(path_), saved);
    }
}

struct Action {
    const char* label;
    std::function<void(FightFile&, GridDriver&, GridDriver&)> act;
    int writes;
};

class EachAction : public FightFile, public testing::WithParamInterface<Action> {
public:
    using FightFile::AnswerBoxes;
    using FightFile::Click;
    using FightFile::ClickMenu;
    TfrmTrevaloMain& Main() { return *main_; }
};

TEST_P(EachAction, IsWrittenOnceWhenItIsOver) {
    OpenWith(SmallFight());
    const QByteArray before = Bytes(path_);
    GridDriver combatants(Component<TDataGrid>("grdInit"));
    GridDriver effects(Component<TDataGrid>("grdEffects"));
    // The file as it stands whenever a question waits for its answer.
    QList<QByteArray> whileAsking;
    QTimer peek;
    QObject::connect(&peek, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget())
            whileAsking.append(Bytes(path_));
    });
    peek.start(1);

    GetParam().act(*this, combatants, effects);
    EXPECT_EQ(writes_, GetParam().writes);
    EXPECT_TRUE(FileHoldsTheWindow());
    EXPECT_EQ(Bytes(path_) == before, GetParam().writes == 0);
    EXPECT_EQ(whileAsking.count(before), whileAsking.size()) << "the file waits for the answers";
    EXPECT_EQ(boxTexts_.filter(QStringLiteral("unexpected")), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    FightFile, EachAction,
    testing::Values(Action{"RowTypedAndPosted",
                           [](FightFile&, GridDriver& combatants, GridDriver&) {
                               combatants.ClickNavigator(NavigatorButton::Insert);
                               combatants.Type(QStringLiteral("Dee"));
                               combatants.Key(Qt::Key_Tab);
                               combatants.Type(QStringLiteral("15"));
                               combatants.ClickNavigator(NavigatorButton::Post);
                           },
                           1},
                    Action{"RowBegunAndCancelled",
                           [](FightFile&, GridDriver& combatants, GridDriver&) {
                               combatants.ClickNavigator(NavigatorButton::Insert);
                               combatants.Type(QStringLiteral("Dee"));
                               combatants.ClickNavigator(NavigatorButton::Cancel);
                           },
                           0},
                    Action{"Done",
                           [](FightFile&, GridDriver& combatants, GridDriver&) {
                               combatants.ClickCell(0, "tvInitDoneButton");
                           },
                           1},
                    Action{"CombatantDeleted",
                           [](FightFile& test, GridDriver& combatants, GridDriver&) {
                               static_cast<EachAction&>(test).AnswerBoxes({Qt::Key_Return});
                               combatants.ClickCell(1, "tvInitDeleteButton");
                           },
                           1},
                    Action{"DeletionCancelled",
                           [](FightFile& test, GridDriver& combatants, GridDriver&) {
                               static_cast<EachAction&>(test).AnswerBoxes({Qt::Key_Escape});
                               combatants.ClickCell(1, "tvInitDeleteButton");
                           },
                           0},
                    Action{"EffectDeleted",
                           [](FightFile& test, GridDriver&, GridDriver& effects) {
                               static_cast<EachAction&>(test).AnswerBoxes({Qt::Key_Return});
                               effects.ClickCell(0, "tvEffectsDeleteEffect");
                           },
                           1},
                    Action{"NewInitPass",
                           [](FightFile& test, GridDriver&, GridDriver&) {
                               auto& each = static_cast<EachAction&>(test);
                               each.ClickMenu(each.Main(), "NewInitPass1");
                           },
                           1},
                    Action{"NewTurnWithItsQuestions",
                           [](FightFile& test, GridDriver&, GridDriver&) {
                               auto& each = static_cast<EachAction&>(test);
                               each.AnswerBoxes({Qt::Key_Return, Qt::Key_Escape});
                               each.ClickMenu(each.Main(), "NewTurn1");
                           },
                           1},
                    Action{"ShowAllEntries",
                           [](FightFile& test, GridDriver&, GridDriver&) {
                               static_cast<EachAction&>(test).Click("ckbxShowAll");
                           },
                           1},
                    Action{"KeepInit",
                           [](FightFile& test, GridDriver&, GridDriver&) {
                               static_cast<EachAction&>(test).Click("chkbxKeepInit");
                           },
                           1},
                    Action{"UsePasses",
                           [](FightFile& test, GridDriver&, GridDriver&) {
                               static_cast<EachAction&>(test).Click("chkbxPasses");
                           },
                           1},
                    Action{"SortedByAHeader",
                           [](FightFile&, GridDriver& combatants, GridDriver&) {
                               combatants.ClickHeader("tvInitName");
                           },
                           0}),
    [](const testing::TestParamInfo<Action>& info) { return std::string(info.param.label); });

TEST_F(FightFile, NewTurnOverAThousandCombatantsIsWrittenOnce) {
    Fight fight;
    for (int i = 0; i < 1000; ++i)
        fight.Combatants.push_back({QStringLiteral("C%1").arg(i), i % 30, 1 + i % 4, i % 3 == 0});
    fight.Effects = {{QStringLiteral("Haste"), 2}};
    OpenWith(fight);
    AnswerBoxes({Qt::Key_Return});
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(writes_, 1);
    EXPECT_TRUE(FileHoldsTheWindow());
    const Fight saved = ReadFightFile(path_);
    EXPECT_EQ(saved.Turn, 2);
    EXPECT_TRUE(saved.Effects.empty());
    EXPECT_TRUE(std::all_of(saved.Combatants.begin(), saved.Combatants.end(),
                            [](const FightCombatant& row) { return row.Init == 0; }));
}

/// A cause of failed writes, set up and taken away again.
struct Obstacle {
    const char* label;
    std::function<void(const QString& folder)> raise;
    std::function<void(const QString& folder)> remove;
};

class AFailedWrite : public FightFile, public testing::WithParamInterface<Obstacle> {};

TEST_P(AFailedWrite, IsToldOnceAndTheNextChangeAfterItsCauseIsGoneIsSaved) {
    OpenWith(SmallFight());
    const QByteArray before = Bytes(path_);
    const Obstacle& obstacle = GetParam();
    {
        const test::FileRightsHold rights;
        obstacle.raise(folder_.path());
        AnswerBoxes({Qt::Key_Return});
        Click("chkbxKeepInit");
        EXPECT_EQ(boxTitles_, QStringList({"Trevalo"}));
        ASSERT_EQ(boxTexts_.size(), 1);
        EXPECT_TRUE(boxTexts_[0].startsWith(QStringLiteral("Cannot save the fight to \"") +
                                            QDir::toNativeSeparators(path_) +
                                            QStringLiteral("\": ")))
            << boxTexts_[0].toStdString();
        EXPECT_TRUE(boxTexts_[0].endsWith(
            QStringLiteral("The fight stays as it is in the window, and saving it is tried again "
                           "at the next change.")));
        EXPECT_EQ(Bytes(path_), before);

        AnswerBoxes({Qt::Key_Escape, Qt::Key_Escape});
        ClickMenu(*main_, "NewTurn1");
        Click("ckbxShowAll");
        EXPECT_EQ(boxTexts_.size(), 3) << "two questions of New Turn, no second message";
        EXPECT_EQ(boxTexts_.filter(QStringLiteral("unexpected")), QStringList());
        EXPECT_EQ(Bytes(path_), before);
        EXPECT_TRUE(Component<TStyledCheckBox>("ckbxShowAll").isChecked());
        obstacle.remove(folder_.path());
    }
    Click("chkbxPasses");
    EXPECT_TRUE(FileHoldsTheWindow());
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList({"fight.trevalo"}));

    // Once a write has succeeded, the next failure is told again.
    const test::FileRightsHold rights;
    obstacle.raise(folder_.path());
    AnswerBoxes({Qt::Key_Return});
    Click("chkbxPasses");
    EXPECT_EQ(boxTexts_.size(), 4);
    obstacle.remove(folder_.path());
}

void LimitFileSize(rlim_t size) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = std::min(size, limit.rlim_max);
    setrlimit(RLIMIT_FSIZE, &limit);
}

INSTANTIATE_TEST_SUITE_P(
    FightFile, AFailedWrite,
    testing::Values(Obstacle{"FileSizeLimit", [](const QString&) { LimitFileSize(64); },
                             [](const QString&) { LimitFileSize(RLIM_INFINITY); }},
                    Obstacle{"ReadOnlyFolder",
                             [](const QString& folder) {
                                 QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
                             },
                             [](const QString& folder) {
                                 QFile::setPermissions(folder, QFile::ReadOwner |
                                                                   QFile::WriteOwner |
                                                                   QFile::ExeOwner);
                             }}),
    [](const testing::TestParamInfo<Obstacle>& info) { return std::string(info.param.label); });

} // namespace
} // namespace trevalo
