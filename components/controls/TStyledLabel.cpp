#include "components/controls/TStyledLabel.h"

#include "platform/Exception.h"

#include <QLayout>

namespace trevalo {

TStyledLabel::TStyledLabel(QWidget* parent)
    : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TStyledLabel::SetCaption(const QString& caption) {
    if (caption == text())
        return;
    setText(caption);
    resize(fontMetrics().horizontalAdvance(caption), height());
    if (parentWidget() && parentWidget()->layout())
        parentWidget()->layout()->invalidate();
}

void TStyledLabel::SetLayout(const QString& layout) {
    if (layout == QLatin1String("tlCenter"))
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    else if (layout == QLatin1String("tlTop"))
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    else
        throw Exception(QStringLiteral("Invalid property value: %1").arg(layout));
    layout_ = layout;
}

} // namespace trevalo
