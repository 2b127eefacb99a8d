#include "components/controls/TStyledMemo.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdlib>

namespace trevalo {

namespace {

constexpr int WheelDelta = 120;
/// The lines-per-notch setting that means one page per notch.
constexpr int PageScrollLines = 65535;

} // namespace

TStyledMemo::TStyledMemo(QWidget* parent)
    : QPlainTextEdit(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    HideInactiveSelection();
}

QStringList TStyledMemo::Lines() const {
    return toPlainText().split(QLatin1Char('\n'));
}

void TStyledMemo::SetLines(const QStringList& lines) {
    setPlainText(lines.join(QLatin1Char('\n')));
}

void TStyledMemo::SetReadOnly(bool readOnly) {
    setReadOnly(readOnly);
    if (readOnly)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TStyledMemo::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int notches = event->angleDelta().y() / WheelDelta;
    const int perNotch = QApplication::wheelScrollLines();
    QScrollBar* bar = verticalScrollBar();
    const bool byPage = perNotch == PageScrollLines;
    // The wheel scrolls the view only; the caret stays where it is.
    const int stride = (byPage ? bar->pageStep() : bar->singleStep()) * (notches > 0 ? -1 : 1);
    const int steps = std::abs(notches) * (byPage ? 1 : perNotch);
    for (int step = 0; step < steps; ++step) {
        const int before = bar->value();
        bar->setValue(before + stride);
        if (bar->value() == before)
            break;
    }
}

void TStyledMemo::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        HideInactiveSelection();
}

void TStyledMemo::HideInactiveSelection() {
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Inactive, QPalette::Text));
    // Setting the palette raises another change; it finds nothing left to do.
    if (colours != palette())
        setPalette(colours);
}

} // namespace trevalo
