// The main window's check boxes, labels, menu and boxes as a screen reader reads them, and the
// events that make it speak.
#include "components/controls/ConfirmBox.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "tests/support/AccessibilityEvents.h"
#include "tests/support/TrackerFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

namespace trevalo {
namespace {

class ControlsAccessibility : public TrackerFixture {
protected:
    static QAccessibleInterface* Of(QObject* object) {
        return QAccessible::queryAccessibleInterface(object);
    }
    QAccessibleInterface* Of(const char* name) const { return Of(&Component<QWidget>(name)); }
};

TEST_F(ControlsAccessibility, CheckBoxesAreNamedCheckBoxesWithTheirState) {
    struct Box {
        const char* name;
        const char* caption;
        bool checked;
    };
    for (const Box& box : {Box{"ckbxShowAll", "Show All Entries", false},
                           Box{"chkbxKeepInit", "Keep Init / Turn", false},
                           Box{"chkbxPasses", "Use Passes (SR4)", true}}) {
        QAccessibleInterface* control = Of(box.name);
        ASSERT_NE(control, nullptr) << box.name;
        EXPECT_EQ(control->role(), QAccessible::CheckBox) << box.name;
        EXPECT_EQ(control->text(QAccessible::Name), QLatin1String(box.caption));
        EXPECT_TRUE(control->state().checkable) << box.name;
        EXPECT_EQ(bool(control->state().checked), box.checked) << box.name;
    }
}

TEST_F(ControlsAccessibility, ToggleIsAClickAndEveryToggleIsAnnounced) {
    AccessibilityEvents events;
    QAccessibleInterface* box = Of("ckbxShowAll");
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(Component<TStyledCheckBox>("ckbxShowAll").isChecked());
    EXPECT_TRUE(box->state().checked);
    EXPECT_FALSE(Combatants().Filtered()) << "the click's handler ran";
    EXPECT_TRUE(events.Saw(QStringLiteral("ckbxShowAll"), QAccessible::StateChanged));
}

TEST_F(ControlsAccessibility, TheCounterLabelsAreReadAndAnnouncedWhenTheyMove) {
    QAccessibleInterface* turn = Of("lblTurn");
    EXPECT_EQ(turn->role(), QAccessible::StaticText);
    EXPECT_EQ(turn->text(QAccessible::Name), QStringLiteral("Turn #: 1"));
    AccessibilityEvents events;
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(turn->text(QAccessible::Name), QStringLiteral("Turn #: 2"));
    EXPECT_TRUE(events.Saw(QStringLiteral("lblTurn"), QAccessible::NameChanged));
}

TEST_F(ControlsAccessibility, MenuItemsCarryTheirShortcutsAndHiddenOnesAreLeftOut) {
    QAccessibleInterface* bar = Of(main_->menuBar());
    ASSERT_EQ(bar->role(), QAccessible::MenuBar);
    const auto items = [bar] {
        QStringList read;
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* item = bar->child(i);
            EXPECT_EQ(item->role(), QAccessible::MenuItem);
            EXPECT_EQ(item->parent()->object(), bar->object());
            EXPECT_EQ(bar->indexOfChild(item), i);
            read.append(item->text(QAccessible::Name) + QLatin1Char('=') +
                        item->text(QAccessible::Description));
        }
        return read;
    };
    EXPECT_EQ(items(),
              QStringList({"New Turn=Ctrl+T", "New Init Pass=Ctrl+P", "Help=F1", "Close=Ctrl+Q"}));
    QTest::mouseClick(&Component<TStyledCheckBox>("chkbxPasses"), Qt::LeftButton);
    EXPECT_EQ(items(), QStringList({"New Turn=Ctrl+T", "Help=F1", "Close=Ctrl+Q"}));
}

TEST_F(ControlsAccessibility, PressingAMenuItemRunsItsCommand) {
    QAccessibleInterface* newTurn = Of(main_->menuBar())->child(0);
    newTurn->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(CurrentTurn, 2);
}

struct Alert {
    QAccessible::Role role = QAccessible::NoRole;
    QString name;
    QString description;
    /// The names and descriptions of the alert and its children that a reader may speak.
    QStringList texts;
};

/// Reads the box \p ask opens inside its modal wait, then cancels it.
Alert ReadAlert(const std::function<void()>& ask) {
    Alert alert;
    QTimer::singleShot(0, [&alert] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(box);
        alert = {
            read->role(), read->text(QAccessible::Name), read->text(QAccessible::Description), {}};
        for (QAccessibleInterface* part : {read, read->child(0), read->child(1), read->child(2)}) {
            for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description}) {
                if (part && !part->text(t).isEmpty())
                    alert.texts.append(part->text(t));
            }
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    ask();
    return alert;
}

TEST_F(ControlsAccessibility, TheBoxesAreAlertsThatHoldTheirQuestionOnce) {
    // A reader speaks an alert's title, then the labels inside it, then its description: a
    // question in both the label and the description is heard twice.
    const QString effect = QStringLiteral("Delete This Effect? - Smoke");
    const Alert confirm = ReadAlert([&effect] { ShowConfirmBox(effect); });
    EXPECT_EQ(confirm.role, QAccessible::AlertMessage);
    EXPECT_EQ(confirm.name, QStringLiteral("Warning"));
    EXPECT_EQ(confirm.texts.count(effect), 1) << confirm.texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(confirm.description.isEmpty());

    AddCombatant(QStringLiteral("Ann"), 10);
    auto& grid = Component<QWidget>("grdInit");
    grid.setFocus(Qt::OtherFocusReason);
    const Alert question = ReadAlert([&grid] { QTest::keyClick(&grid, Qt::Key_Delete); });
    EXPECT_EQ(question.role, QAccessible::AlertMessage);
    EXPECT_EQ(question.name, QStringLiteral("Confirm"));
    EXPECT_EQ(question.texts.count(QStringLiteral("Delete record?")), 1)
        << question.texts.join(QLatin1Char('|')).toStdString();
}

TEST_F(ControlsAccessibility, EachNewTurnAndPassIsToldAsANotification) {
    // A reader ignores the labels' new captions, so the counters are told as they move on.
    struct Step {
        const char* command;
        bool passes;
        const char* told;
    };
    for (const Step& step : {Step{"NewTurn1", true, "Turn #: 2, Pass #: 1"},
                             Step{"NewInitPass1", true, "Turn #: 2, Pass #: 2"},
                             Step{"NewTurn1", false, "Turn #: 3"}}) {
        if (Component<TStyledCheckBox>("chkbxPasses").isChecked() != step.passes)
            QTest::mouseClick(&Component<TStyledCheckBox>("chkbxPasses"), Qt::LeftButton);
        AccessibilityEvents events;
        ClickMenu(*main_, step.command);
        EXPECT_TRUE(events.Saw(QLatin1String(step.told), QAccessible::ObjectShow)) << step.told;
    }
}

TEST_F(ControlsAccessibility, ANewTurnIsToldOnceAndBeforeItsFirstQuestion) {
    AddEffect(QStringLiteral("Smoke"), 2);
    AddEffect(QStringLiteral("Haste"), 2);
    AccessibilityEvents events;
    const QString told =
        QStringLiteral("Turn #: 2, Pass #: 1 ") + QString::number(int(QAccessible::ObjectShow), 16);
    // Each question counts the times the turn was told before it, then is cancelled.
    QList<qsizetype> toldWhenAsked;
    QTimer answering;
    answering.callOnTimeout([&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !box->isVisible())
            return;
        toldWhenAsked.append(events.All().count(told));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    answering.start(5);
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(toldWhenAsked, QList<qsizetype>({1, 1}));
    EXPECT_EQ(events.All().count(told), 1);
}

} // namespace
} // namespace trevalo
