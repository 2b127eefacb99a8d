#include "components/controls/ConfirmBox.h"

#include "components/controls/TMessageForm.h"
#include "platform/FocusReturn.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace trevalo {

namespace {

// The window manager frames a window only once it is shown; the frame of the window the box is
// asked from stands in for the box's own.
QSize OuterSize(const QWidget& box, const QWidget* framed) {
    if (!framed)
        return box.size();
    const QRect outer = framed->frameGeometry();
    const QRect inner = framed->geometry();
    return box.size() + outer.size() - inner.size();
}

// On the active window's monitor, so that the question appears where the user is working. A
// window's position is that of its frame.
QPoint CentredPosition(const QSize& outer, const QWidget* active) {
    const QRect area = (active ? active->screen() : QGuiApplication::primaryScreen())->geometry();
    return {area.left() + std::max(0, (area.width() - outer.width()) / 2),
            area.top() + std::max(0, (area.height() - outer.height()) / 2)};
}

} // namespace

TModalResult ShowConfirmBox(const QString& Text) {
    const QPointer<QWidget> previous = QApplication::activeWindow();
    // Guarded: the parent window may be destroyed while the box waits.
    QPointer<TMessageForm> form = new ReturnsFocus<TMessageForm>(Text, previous);
    form->move(CentredPosition(OuterSize(*form, previous), previous));
    // Once framed, the box's own frame corrects the estimate.
    QTimer::singleShot(0, form, [form, previous] {
        if (form->frameGeometry().size() != form->size())
            form->move(CentredPosition(form->frameGeometry().size(), previous));
    });
    const TModalResult answer = form->exec();
    delete form;
    // The wait also ends unanswered when the application is terminating.
    return answer == mrOk ? mrOk : mrCancel;
}

} // namespace trevalo
