/// \file
/// The tracker's two windows as start-up makes them, for tests that drive them as a user.
#pragma once

#include "components/controls/TMainMenu.h"
#include "components/data/TWorkingView.h"
#include "tests/support/ChildOf.h"
#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace trevalo {

class TrackerFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Clicks the menu command \p name of \p window with the mouse.
    static void ClickMenu(TForm& window, const char* name);

    /// Where the user's keys go: the focus widget of the window that has the keyboard (the main
    /// window when none has it, so that keys lost there act on nothing).
    QWidget* KeyboardTarget() const;
    /// Presses \p key as the user's keyboard does.
    void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const;
    /// Types \p text as the user's keyboard does, each character where the keyboard then is.
    void TypeKeys(const QString& text) const;
    /// Presses and releases Alt alone: the menu bar's key.
    void PressAlt() const;

    /// Answers the modal boxes that open from now on, one key each in turn, recording their
    /// texts in boxTexts_ and captions in boxTitles_; a box beyond them is recorded as unexpected
    /// and cancelled.
    void AnswerBoxes(QList<Qt::Key> keys);
    /// Walks the combatants to the one called \p name and leaves it current.
    void Locate(const QString& name);

    template <class T> T& Component(const char* name) const {
        return test::ChildOf<T>(*main_, QLatin1String(name));
    }
    TWorkingView& Combatants() const { return Component<TWorkingView>("wvInit"); }
    TWorkingView& Effects() const { return Component<TWorkingView>("wvEffects"); }

    /// Adds a combatant through the working view, as the grid does.
    void AddCombatant(const QString& name, QVariant init, QVariant passes = 1,
                      QVariant active = true);
    void AddEffect(const QString& name, QVariant endOnTurn);
    /// The names that \p view shows, in its own order.
    static QStringList Names(TWorkingView& view, const char* field);

    std::unique_ptr<TfrmTrevaloMain> main_;
    std::unique_ptr<TfrmHelp> help_;
    QStringList boxTexts_;
    QStringList boxTitles_;
    QList<Qt::Key> answers_;
    QTimer answering_;
};

} // namespace trevalo
