#include "components/grid/filter/TFilterDropDown.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

namespace trevalo {

namespace {

// A 1-pixel border and a 1-pixel margin each side: the list is its longest entry plus 4 wide.
constexpr int kBorder = 1;
constexpr int kTextMargin = 1;

/// Draws an entry 1 pixel in from the border, where the style would leave room for a focus
/// frame that the list never shows.
class EntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect,
                          option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    }
};

} // namespace

TFilterDropDown::TFilterDropDown(const QStringList& entries, QWidget* parent)
    : QListWidget(parent) {
    setWindowFlags(Qt::Popup);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FilterDropDown"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorder);
    setItemDelegate(new EntryDelegate(this));
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
    const int width = std::max(textWidth + 2 * (kTextMargin + kBorder) +
                                   (scrolls ? verticalScrollBar()->sizeHint().width() : 0),
                               minWidth);
    const int shown = std::min(count(), kMaxDropDownCount);
    const int height = shown * sizeHintForRow(0) + 2 * kBorder;
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
