#include "components/grid/TFilterDropDown.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace trevalo {

TFilterDropDown::TFilterDropDown(const QStringList& entries, QWidget* parent)
    : QListWidget(parent) {
    setWindowFlags(Qt::Popup);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FilterDropDown"));
    addItems(entries);
    setCurrentRow(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Choose(row(item)); });
}

void TFilterDropDown::ShowBelow(QPoint topRight, int minWidth) {
    int textWidth = 0;
    for (int i = 0; i < count(); ++i)
        textWidth = std::max(textWidth, fontMetrics().horizontalAdvance(item(i)->text()));
    const bool scrolls = count() > kMaxDropDownCount;
    const int frame = 2 * frameWidth();
    const int width = std::max(
        textWidth + 4 + frame + (scrolls ? verticalScrollBar()->sizeHint().width() : 0), minWidth);
    const int shown = std::min(count(), kMaxDropDownCount);
    const int height = shown * sizeHintForRow(0) + frame;
    setGeometry(topRight.x() - width + 1, topRight.y() + 1, width, height);
    show();
    setFocus(Qt::PopupFocusReason);
}

void TFilterDropDown::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Choose(currentRow());
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void TFilterDropDown::Choose(int index) {
    const std::function<void(int)> chosen = OnChosen;
    close();
    if (chosen && index >= 0)
        chosen(index);
}

} // namespace trevalo
