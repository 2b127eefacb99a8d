#include "components/controls/TStyledMemo.h"

namespace trevalo {

TStyledMemo::TStyledMemo(QWidget* parent)
    : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QStringList TStyledMemo::Lines() const {
    return toPlainText().split(QLatin1Char('\n'));
}

void TStyledMemo::SetLines(const QStringList& lines) {
    setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace trevalo
