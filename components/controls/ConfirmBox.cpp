#include "components/controls/ConfirmBox.h"

#include "components/controls/TMessageForm.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <algorithm>

namespace trevalo {

namespace {

// On the active window's monitor, so that the question appears where the user is working.
QPoint CentredPosition(const QSize& size) {
    const QWidget* active = QApplication::activeWindow();
    const QRect area = (active ? active->screen() : QGuiApplication::primaryScreen())->geometry();
    return {area.left() + std::max(0, (area.width() - size.width()) / 2),
            area.top() + std::max(0, (area.height() - size.height()) / 2)};
}

} // namespace

TModalResult ShowConfirmBox(const QString& Text) {
    const QPointer<QWidget> previous = QApplication::activeWindow();
    // Guarded: the parent window may be destroyed while the box waits.
    QPointer<TMessageForm> form = new TMessageForm(Text, previous);
    form->move(CentredPosition(form->size()));
    const TModalResult answer = form->exec();
    delete form;
    if (previous)
        previous->activateWindow();
    // The wait also ends unanswered when the application is terminating.
    return answer == mrOk ? mrOk : mrCancel;
}

} // namespace trevalo
