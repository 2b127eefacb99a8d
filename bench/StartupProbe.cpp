// Starts either the program, as its main does, with a fight file when one is given after
// "tracker", or a bare main window of the same size, and writes "painted" to its standard output
// once the main window has painted for the first time.
#include "platform/TApplication.h"
#include "tracker/ProgramStart.h"
#include "tracker/frmTrevaloProg.h"

#include <QMainWindow>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Posted, so that it runs once the window's children have painted too.
            QTimer::singleShot(0, qApp, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv) {
    trevalo::TApplication application(argc, argv);
    std::unique_ptr<QMainWindow> bare;
    QWidget* window = nullptr;
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0) {
        bare = std::make_unique<QMainWindow>();
        // The main window's client area with its menu bar above.
        bare->resize(1007, 659);
        window = bare.get();
    } else {
        QStringList arguments{QString::fromLocal8Bit(argv[0])};
        if (argc > 2)
            arguments.append(QString::fromLocal8Bit(argv[2]));
        if (const std::optional<int> exitCode = trevalo::StartProgram(application, arguments))
            return *exitCode;
        window = trevalo::frmTrevaloMain;
    }
    FirstPaint watcher;
    window->installEventFilter(&watcher);
    window->show();
    return application.exec();
}
