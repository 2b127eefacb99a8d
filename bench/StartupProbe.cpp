// Starts either the tracker's windows or a bare main window of the same size, and ends as soon
// as the main window has painted for the first time.
#include "platform/TApplication.h"
#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

#include <QMainWindow>
#include <QTimer>
#include <cstring>
#include <memory>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
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
        bare->resize(1023, 697);
        window = bare.get();
    } else {
        application.CreateForm(trevalo::frmTrevaloMain);
        application.CreateForm(trevalo::frmHelp);
        window = trevalo::frmTrevaloMain;
    }
    FirstPaint watcher;
    window->installEventFilter(&watcher);
    window->show();
    return application.exec();
}
