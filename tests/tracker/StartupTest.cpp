#include "components/controls/TStyledLabel.h"
#include "components/controls/TStyledMemo.h"
#include "tests/support/TrackerFixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace trevalo {
namespace {

using Startup = TrackerFixture;

QList<TfrmHelp*> ShownHelpWindows() {
    QList<TfrmHelp*> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<TfrmHelp*>(window); help && help->isVisible())
            shown.append(help);
    }
    return shown;
}

TEST_F(Startup, ShowsCountersAtOneAndEmptyTablesWithHelpHidden) {
    EXPECT_EQ(frmTrevaloMain, main_.get());
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("Main"));
    EXPECT_EQ(Component<TStyledLabel>("lblTurn").text(), QStringLiteral("Turn #: 1"));
    EXPECT_EQ(Component<TStyledLabel>("lblPass").text(), QStringLiteral("Pass #: 1"));
    EXPECT_EQ(CurrentTurn, 1);
    EXPECT_EQ(CurrentPass, 1);
    EXPECT_TRUE(Combatants().IsOpen() && Combatants().IsEmpty());
    EXPECT_TRUE(Effects().IsOpen() && Effects().IsEmpty());
    EXPECT_TRUE(Combatants().Filtered());
    EXPECT_EQ(Combatants().Filter(), QStringLiteral("[Active] = True and [Passes] >= 1"));
    EXPECT_FALSE(help_->isVisible());
    EXPECT_EQ(main_->centralWidget()->size(), QSize(1007, 641));
}

TEST_F(Startup, TheMenuBarHasItsFourCommandsInOrder) {
    QStringList captions;
    for (QAction* action : main_->menuBar()->actions())
        captions.append(action->text());
    EXPECT_EQ(captions, QStringList({"New Turn", "New Init Pass", "Help", "Close"}));
}

TEST_F(Startup, HelpTwiceShowsOneHelpWindow) {
    ClickMenu(*main_, "Help1");
    ClickMenu(*main_, "Help1");
    ASSERT_EQ(ShownHelpWindows(), QList<TfrmHelp*>({help_.get()}));
    EXPECT_TRUE(main_->isEnabled()) << "the help window must not be modal";
}

TEST_F(Startup, ClosingHelpOnlyHidesItAndHelpShowsTheSameText) {
    ClickMenu(*main_, "Help1");
    auto& memo = test::ChildOf<TStyledMemo>(*help_, QStringLiteral("Memo1"));
    const QString text = memo.toPlainText();
    EXPECT_EQ(memo.Lines().size(), 26);
    EXPECT_TRUE(text.contains(QStringLiteral("Shadowrun\u00ae Fourth Edition")));

    ClickMenu(*help_, "Close1");
    EXPECT_FALSE(help_->isVisible());
    EXPECT_EQ(frmHelp, help_.get());

    ClickMenu(*main_, "Help1");
    EXPECT_TRUE(help_->isVisible());
    EXPECT_EQ(memo.toPlainText(), text);
}

TEST_F(Startup, TypingIntoTheHelpTextChangesNothing) {
    ClickMenu(*main_, "Help1");
    auto& memo = test::ChildOf<TStyledMemo>(*help_, QStringLiteral("Memo1"));
    const QString text = memo.toPlainText();
    memo.setFocus();
    QTest::keyClicks(&memo, QStringLiteral("xyz"));
    QTest::keyClick(&memo, Qt::Key_Backspace);
    EXPECT_EQ(memo.toPlainText(), text);
}

TEST_F(Startup, ClosingTheMainWindowWhileHelpIsShownEndsTheProgram) {
    ClickMenu(*main_, "Help1");
    QTimer::singleShot(0, [this] { ClickMenu(*main_, "Close1"); });
    // A guard against a loop that never ends; it must not outlive the test.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(main_->isVisible());
}

} // namespace
} // namespace trevalo
