#include "components/controls/TStyledLabel.h"

#include "platform/ColorValue.h"
#include "platform/Exception.h"

#include <QAccessible>
#include <QEvent>
#include <QLayout>
#include <QPainter>

namespace trevalo {

namespace {

constexpr int CaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;

} // namespace

TStyledLabel::TStyledLabel(QWidget* parent)
    : QLabel(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    AdjustBounds();
}

void TStyledLabel::SetCaption(const QString& caption) {
    if (caption == text())
        return;
    setText(caption);
    AdjustBounds();
    repaint();
    // A reader that follows a label's name hears the new caption; some ignore labels' names,
    // so whoever must be heard also announces it.
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QString TStyledLabel::Layout() const {
    return layout_ == TTextLayout::tlCenter ? QStringLiteral("tlCenter") : QStringLiteral("tlTop");
}

void TStyledLabel::SetLayout(const QString& layout) {
    if (layout == QLatin1String("tlCenter"))
        layout_ = TTextLayout::tlCenter;
    else if (layout == QLatin1String("tlTop"))
        layout_ = TTextLayout::tlTop;
    else
        throw Exception(QStringLiteral("Invalid property value: %1").arg(layout));
    update();
}

QSize TStyledLabel::CaptionSize() const {
    return fontMetrics().size(CaptionFlags, text());
}

void TStyledLabel::AdjustBounds() {
    resize(CaptionSize());
    // A docked label gets its height back from the docking; only its width follows the caption.
    if (QWidget* parent = parentWidget(); parent && parent->layout()) {
        parent->layout()->invalidate();
        parent->layout()->activate();
    }
}

void TStyledLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ResolveColor(SystemColor::BtnFace, palette()));
    painter.setPen(ResolveColor(SystemColor::WindowText, palette()));
    const int top = layout_ == TTextLayout::tlCenter ? (height() - CaptionSize().height()) / 2 : 0;
    painter.drawText(QRect(0, top, width(), height() - top), CaptionFlags, text());
}

void TStyledLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
}

} // namespace trevalo
