/// \file
/// The application object: the platform's look, the window font, and the default handler that
/// every failure reaching the event loop ends in.
#pragma once

#include "platform/Failures.h"

#include <QApplication>
#include <QWidget>
#include <exception>
#include <memory>
#include <vector>

namespace trevalo {

class TApplication : public QApplication {
    Q_OBJECT
public:
    /// The application's title, used for its message boxes.
    static constexpr const char* kTitle = "Trevalo";

    TApplication(int& argc, char** argv);
    ~TApplication() override;

    /// Creates a window of class \p T, which stores itself in \p reference before its own
    /// construction runs; the application owns it from then on. On failure \p reference is
    /// null again and the failure goes on to the caller.
    template <class T> void CreateForm(T*& reference) {
        try {
            windows_.push_back(std::make_unique<T>(reference));
        } catch (...) {
            reference = nullptr;
            throw;
        }
    }

    /// Catches whatever an event handler throws, so that no exception crosses the event loop.
    bool notify(QObject* receiver, QEvent* event) override;

    /// The default handler: shows the failure's message and lets the program go on.
    static void HandleException(const std::exception& error);

    /// The error box: the message (with a full stop added where it lacks one) under the error
    /// icon, titled with the application's title; returns when the user has closed it.
    static void ShowErrorMessage(const QString& message);

    /// The text the error box shows for \p message.
    static QString ErrorBoxText(const QString& message);

Q_SIGNALS:
    /// After the handling of each event that the handling of no other event encloses: whatever
    /// one action of the user set off, its questions answered, is over then. What its receivers
    /// do, a box they show included, counts as part of that handling, so they are not called
    /// again inside it; a failure in them goes to the default handler.
    void OutermostEventHandled();

private:
    std::vector<std::unique_ptr<QWidget>> windows_;
    int handling_ = 0; ///< how many events are being handled, one inside the other
};

} // namespace trevalo
