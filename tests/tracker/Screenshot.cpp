// Fills the tracker with a small fight through mouse and key events on its real widgets, then
// saves the main window and the help window as the screen shows them. Meant for an X server
// (make screenshot runs it on a virtual one): the pictures are taken from the screen.
#include "components/grid/control/TDataGrid.h"
#include "components/grid/control/TInplaceEdit.h"
#include "components/grid/model/TDBDataController.h"
#include "components/grid/navigator/TGridNavigator.h"
#include "components/grid/view/TDBColumn.h"
#include "components/grid/view/TDBTableView.h"
#include "platform/TApplication.h"
#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <cstdio>

namespace trevalo {
namespace {

struct Cell {
    const char* column;
    QString text;
};

class Filler {
public:
    explicit Filler(const char* grid)
        : grid_(*frmTrevaloMain->findChild<TDataGrid*>(QLatin1String(grid))) {}

    /// Insert on the navigator, each cell clicked and typed into, then Post.
    void AddRow(const QList<Cell>& cells) {
        ClickNavigator(NavigatorButton::Insert);
        const int row = grid_.View()->DataController().FocusedRow();
        for (const Cell& cell : cells) {
            const auto* column = grid_.findChild<TDBColumn*>(QLatin1String(cell.column));
            QTest::mouseClick(&grid_, Qt::LeftButton, {},
                              grid_.Geometry().CellRect(row, column).center());
            QTest::keyClicks(Target(), cell.text);
            QTest::keyClick(Target(), Qt::Key_Return);
        }
        ClickNavigator(NavigatorButton::Post);
    }

private:
    QWidget* Target() const {
        return grid_.Editor() ? static_cast<QWidget*>(grid_.Editor()) : &grid_;
    }
    void ClickNavigator(NavigatorButton button) {
        TGridNavigator* navigator = grid_.Navigator();
        QTest::mouseClick(navigator, Qt::LeftButton, {}, navigator->ButtonRect(button).center());
    }

    TDataGrid& grid_;
};

void Fight() {
    Filler combatants("grdInit");
    combatants.AddRow({{"tvInitName", QStringLiteral("Street Samurai")},
                       {"tvInitInit", QStringLiteral("17")},
                       {"tvInitPasses", QStringLiteral("3")}});
    combatants.AddRow({{"tvInitName", QStringLiteral("Combat Mage")},
                       {"tvInitInit", QStringLiteral("12")},
                       {"tvInitPasses", QStringLiteral("2")}});
    combatants.AddRow({{"tvInitName", QStringLiteral("Halloweener Ganger")},
                       {"tvInitInit", QStringLiteral("9")}});
    combatants.AddRow(
        {{"tvInitName", QStringLiteral("Troll Bouncer")}, {"tvInitInit", QStringLiteral("7")}});
    Filler effects("grdEffects");
    effects.AddRow({{"tvEffectsEffectName", QStringLiteral("Armor spell on the Samurai")},
                    {"tvEffectsEndOnTurn", QStringLiteral("4")}});
    effects.AddRow({{"tvEffectsEffectName", QStringLiteral("Smoke grenade")},
                    {"tvEffectsEndOnTurn", QStringLiteral("2")}});
}

void ClickMenu(TForm& window, const char* name) {
    auto* item = window.findChild<QAction*>(QLatin1String(name));
    QMenuBar* bar = window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(item).center());
}

/// What the screen shows of \p window, menu bar included.
bool Save(QWidget& window, const QString& path) {
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(200);
    if (window.screen()->grabWindow(window.winId()).save(path))
        return true;
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace
} // namespace trevalo

int main(int argc, char** argv) {
    trevalo::TApplication application(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshot.png");
    const QFileInfo file(path);
    const QString helpPath = file.path() + QStringLiteral("/") + file.completeBaseName() +
                             QStringLiteral("-help.") + file.suffix();
    try {
        application.CreateForm(trevalo::frmTrevaloMain);
        application.CreateForm(trevalo::frmHelp);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    trevalo::frmTrevaloMain->show();
    if (!QTest::qWaitForWindowExposed(trevalo::frmTrevaloMain))
        return 1;
    trevalo::Fight();
    if (!trevalo::Save(*trevalo::frmTrevaloMain, path))
        return 1;
    trevalo::ClickMenu(*trevalo::frmTrevaloMain, "Help1");
    return trevalo::Save(*trevalo::frmHelp, helpPath) ? 0 : 1;
}
