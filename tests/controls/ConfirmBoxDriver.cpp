#include "ConfirmBoxDriver.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace trevalo::test {

TModalResult AskAndAnswer(const QString& text, const std::function<void(QDialog& box)>& answer) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow())
            return;
        poll.stop();
        answer(*box);
        if (box->isVisible()) {
            ADD_FAILURE() << "the box is still open after the answer";
            box->hide();
        }
    });
    poll.start();
    return ShowConfirmBox(text);
}

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the keyboard focus";
    QTest::keyClick(target, key, modifiers);
}

} // namespace trevalo::test
