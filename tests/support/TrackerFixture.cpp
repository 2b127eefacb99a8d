#include "tests/support/TrackerFixture.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace trevalo {

void TrackerFixture::SetUp() {
    main_.reset(new TfrmTrevaloMain(frmTrevaloMain));
    help_.reset(new TfrmHelp(frmHelp));
    main_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
}

void TrackerFixture::TearDown() {
    answering_.stop();
    help_.reset();
    main_.reset();
    frmHelp = nullptr;
    frmTrevaloMain = nullptr;
}

void TrackerFixture::ClickMenu(TForm& window, const char* name) {
    TMenuItem& item = test::ChildOf<TMenuItem>(window, QLatin1String(name));
    QMenuBar* bar = window.menuBar();
    const QRect place = bar->actionGeometry(&item);
    ASSERT_TRUE(place.isValid()) << name << " is not on the menu bar";
    QTest::mouseClick(bar, Qt::LeftButton, {}, place.center());
}

QWidget* TrackerFixture::KeyboardTarget() const {
    QWidget* window = QApplication::activeWindow();
    if (!window)
        return main_.get();
    QWidget* focus = window->focusWidget();
    return focus ? focus : window;
}

void TrackerFixture::PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) const {
    QTest::keyClick(KeyboardTarget(), key, modifiers);
}

void TrackerFixture::TypeKeys(const QString& text) const {
    for (const QChar character : text)
        QTest::keyClicks(KeyboardTarget(), QString(character));
}

void TrackerFixture::PressAlt() const {
    // The test library flips a modifier key's own modifier: these arrive as the display sends
    // them, Alt set on the press and clear on the release.
    QTest::simulateEvent(KeyboardTarget(), true, Qt::Key_Alt, Qt::NoModifier, {}, false);
    QTest::simulateEvent(KeyboardTarget(), false, Qt::Key_Alt, Qt::AltModifier, {}, false);
}

void TrackerFixture::AnswerBoxes(QList<Qt::Key> keys) {
    answers_ = std::move(keys);
    answering_.disconnect();
    QObject::connect(&answering_, &QTimer::timeout, [this] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !box->isVisible())
            return;
        const auto* message = box->findChild<QLabel*>(QStringLiteral("Message"));
        const auto* question = qobject_cast<QMessageBox*>(box);
        const QString text =
            question ? question->text() : (message ? message->text() : QStringLiteral("?"));
        boxTitles_.append(box->windowTitle());
        if (answers_.isEmpty()) {
            boxTexts_.append(QStringLiteral("unexpected: ") + text);
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        boxTexts_.append(text);
        QTest::keyClick(box, answers_.takeFirst());
    });
    answering_.start(5);
}

void TrackerFixture::Locate(const QString& name) {
    TWorkingView& view = Combatants();
    for (view.First(); !view.Eof(); view.Next()) {
        if (view.FieldByName(QStringLiteral("Name")).AsString() == name)
            return;
    }
    ADD_FAILURE() << "no combatant " << name.toStdString();
}

void TrackerFixture::AddCombatant(const QString& name, QVariant init, QVariant passes,
                                  QVariant active) {
    TWorkingView& view = Combatants();
    view.Insert();
    view.FieldByName(QStringLiteral("Name")).SetValue(name);
    view.FieldByName(QStringLiteral("Init")).SetValue(init);
    view.FieldByName(QStringLiteral("Passes")).SetValue(passes);
    view.FieldByName(QStringLiteral("Active")).SetValue(active);
    view.Post();
}

void TrackerFixture::AddEffect(const QString& name, QVariant endOnTurn) {
    TWorkingView& view = Effects();
    view.Insert();
    view.FieldByName(QStringLiteral("EffectName")).SetValue(name);
    view.FieldByName(QStringLiteral("EndOnTurn")).SetValue(endOnTurn);
    view.Post();
}

QStringList TrackerFixture::Names(TWorkingView& view, const char* field) {
    QStringList names;
    const QByteArray current = view.GetBookmark();
    view.DisableControls();
    for (view.First(); !view.Eof(); view.Next())
        names.append(view.FieldByName(QLatin1String(field)).AsString());
    if (!current.isEmpty() && view.BookmarkValid(current))
        view.GotoBookmark(current);
    view.EnableControls();
    return names;
}

} // namespace trevalo
