#include "tests/support/GridEventRecorder.h"

#include "components/grid/navigator/TGridNavigator.h"

#include <QCoreApplication>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace trevalo {

void SetReaderListening(bool listening) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(listening);
}

GridEventRecorder::GridEventRecorder(TDataGrid& grid)
    : grid_(grid) {
    recorder_ = this;
    QAccessible::installUpdateHandler(&Record);
}

GridEventRecorder::~GridEventRecorder() {
    QAccessible::installUpdateHandler(nullptr);
    recorder_ = nullptr;
}

std::string GridEventRecorder::Take() {
    QCoreApplication::processEvents();
    return std::exchange(events_, {}).join(QStringLiteral(" / ")).toStdString();
}

void GridEventRecorder::Record(QAccessibleEvent* event) {
    if (recorder_)
        recorder_->Add(*event);
}

void GridEventRecorder::Add(QAccessibleEvent& event) {
    QObject* object = event.object();
    const bool ours = object ? (object == &grid_ || object == grid_.Navigator())
                             : event.accessibleInterface() != nullptr;
    if (!ours)
        return;
    const QAccessibleInterface* iface = event.accessibleInterface();
    const QString name = iface ? iface->text(QAccessible::Name) : QString();
    switch (event.type()) {
    case QAccessible::Focus:
        events_.append(QStringLiteral("focus ") + (iface && iface->role() == QAccessible::Table
                                                       ? QStringLiteral("table")
                                                       : name));
        break;
    case QAccessible::NameChanged:
        events_.append(QStringLiteral("name ") + name);
        break;
    case QAccessible::StateChanged:
        events_.append(name + (iface->state().disabled ? QStringLiteral(" disabled")
                                                       : QStringLiteral(" enabled")));
        break;
    case QAccessible::TableModelChanged:
        events_.append(TableText(static_cast<QAccessibleTableModelChangeEvent&>(event)));
        break;
    default:
        break;
    }
}

QString GridEventRecorder::TableText(const QAccessibleTableModelChangeEvent& event) {
    static const char* const kinds[] = {"reset",         "data changed", "rows inserted",
                                        "columns added", "rows removed", "columns removed"};
    QString text = QLatin1String(kinds[event.modelChangeType()]);
    if (event.firstRow() >= 0)
        text += QStringLiteral(" %1-%2").arg(event.firstRow()).arg(event.lastRow());
    return text;
}

} // namespace trevalo
