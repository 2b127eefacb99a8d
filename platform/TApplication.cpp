#include "platform/TApplication.h"

#include "platform/ClassicStyle.h"
#include "platform/Exception.h"
#include "platform/FocusReturn.h"

#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>
#include <QScopeGuard>
#include <QThread>

namespace trevalo {

namespace {

void InstallWindowFont() {
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
    // The layouts name the classic window font; the bundled face has its metrics.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    // Hinted advances come closest to the classic font's whole-pixel widths: unhinted, "Show
    // All Entries" is a pixel too wide for its check box and wraps.
    font.setHintingPreference(QFont::PreferFullHinting);
    QApplication::setFont(font);
}

} // namespace

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(kTitle));
    setStyle(new ClassicStyle);
    setStartDragDistance(5);
    InstallWindowFont();
    SetFailureHandler(&HandleException);
}

TApplication::~TApplication() {
    // Windows go in the reverse order of their creation, while the application still exists.
    while (!windows_.empty())
        windows_.pop_back();
    SetFailureHandler(nullptr);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    // The user acts on the user-interface thread only; the platform's own threads are no part
    // of it.
    const bool counted = QThread::currentThread() == thread();
    if (counted)
        ++handling_;
    const auto leave = qScopeGuard([this, counted] { handling_ -= counted ? 1 : 0; });
    bool handled = false;
    try {
        handled = QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
#ifndef QT_NO_DEBUG
        // Every entry point runs its work through Guard; reaching here means one does not.
        qWarning("Unguarded failure in an event for %s: %s",
                 receiver ? receiver->metaObject()->className() : "no receiver", error.what());
#endif
        HandleException(error);
    }
    if (counted && handling_ == 1)
        Guard([this] { Q_EMIT OutermostEventHandled(); });
    return handled;
}

void TApplication::HandleException(const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    ShowErrorMessage(own ? own->Message() : QString::fromUtf8(error.what()));
}

QString TApplication::ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void TApplication::ShowErrorMessage(const QString& message) {
    ReturnsFocus<QMessageBox> box(QMessageBox::Critical, QString::fromLatin1(kTitle),
                                  ErrorBoxText(message), QMessageBox::Ok);
    box.exec();
}

} // namespace trevalo
