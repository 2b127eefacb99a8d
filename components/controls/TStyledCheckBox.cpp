#include "components/controls/TStyledCheckBox.h"

#include "components/controls/CheckBoxPattern.h"
#include "components/controls/ColorOperations.h"
#include "platform/ColorMix.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace trevalo {

namespace {

constexpr ColorValue kGray = ColorFromRgb(0x80, 0x80, 0x80);
constexpr ColorValue kGreen = ColorFromRgb(0x00, 0x80, 0x00);
// The caption starts this far right of the box's left edge.
constexpr int kCaptionIndent = TStyledCheckBox::kBoxSize + 4;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

ColorValue RgbValue(const QColor& color) {
    return ColorFromRgb(color.red(), color.green(), color.blue());
}

} // namespace

TStyledCheckBox::TStyledCheckBox(QWidget* parent)
    : QWidget(parent) {
    // Only the left button takes the focus, so Qt must not give it on every press.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    DeclareEvent(QStringLiteral("OnClick"), OnClick);
    DeclareEvent(QStringLiteral("OnMouseEnter"), OnMouseEnter);
    DeclareEvent(QStringLiteral("OnMouseLeave"), OnMouseLeave);
}

void TStyledCheckBox::SetState(TCheckBoxState state) {
    if (state == state_)
        return;
    state_ = state;
    repaint();
    QAccessible::State changed;
    changed.checked = true;
    changed.checkStateMixed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
    Fire(OnClick, this);
}

ColorValue TStyledCheckBox::Color() const {
    if (!parentColor_)
        return color_;
    const QVariant inherited = parentWidget() ? parentWidget()->property("Color") : QVariant();
    return inherited.typeId() == QMetaType::Int ? inherited.toInt() : color_;
}

void TStyledCheckBox::SetColor(ColorValue color) {
    parentColor_ = false;
    color_ = color;
    update();
}

void TStyledCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked:
        SetState(allowGrayed_ ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

QRect TStyledCheckBox::BoxRect() const {
    const int x = alignment_ == taRightJustify ? 0 : width() - kBoxSize;
    int y = 2;
    if (alignmentVertical_ == avCenter)
        y = (height() - kBoxSize) / 2;
    else if (alignmentVertical_ == avBottom)
        y = height() - kBoxSize - 2;
    return QRect(x, y, kBoxSize, kBoxSize);
}

QRect TStyledCheckBox::CaptionRect() const {
    QRect area = rect().adjusted(1, 1, -1, -1);
    if (alignment_ == taRightJustify)
        area.setLeft(area.left() + kCaptionIndent);
    else
        area.setRight(area.right() - kCaptionIndent);
    return area;
}

QImage TStyledCheckBox::BoxImage(const QColor& background) const {
    const QPalette& colors = palette();
    const QColor window = ResolveColor(SystemColor::Window, colors);
    const QColor frame = ResolveColor(frameColor_, colors);
    ColorValue mark = RgbValue(ResolveColor(highlightColor_, colors));
    if (mark == RgbValue(ResolveColor(transparentColor_, colors)) ||
        mark == RgbValue(ResolveColor(winMaskColor_, colors)) || mark == kGray)
        ++mark;
    BoxRoleColors roles{frame, window, window, window, ResolveColor(mark, colors)};
    // A display of 256 colours or fewer cannot show the shaded looks.
    const bool shaded = !screen() || screen()->depth() > 8;
    if (!isEnabled()) {
        roles.Light = roles.Dark = roles.Interior = ResolveColor(disabledColor_, colors);
        roles.Mark = ResolveColor(SystemColor::BtnShadow, colors);
    } else if (pressedLook_) {
        roles.Light = roles.Dark = roles.Interior = shaded ? LowerLightness(window, 20) : window;
    } else if (mouseInside_ && hotTrack_ && shaded) {
        const QColor hot = ResolveColor(hotTrackColor_, colors);
        roles.Light =
            hotTrackColorType_ == hcActual ? RaiseLightness(hot, 30) : ComplementHue(hot, 180);
        roles.Dark = LowerLightness(hotTrackColorType_ == hcActual ? hot : roles.Light, 30);
    }
    QImage box = DrawBoxPattern(state_, roles);
    ReplaceColor(box, ResolveColor(transparentColor_, colors), background);
    ReplaceColor(box, ResolveColor(winMaskColor_, colors), window);
    // The canvas's top-left pixel is the background: the box goes in after this.
    ReplaceColor(box, ResolveColor(kGreen, colors), MixColors(frame, background, 128));
    return box;
}

void TStyledCheckBox::DrawCaption(QPainter& painter) const {
    const QRect area = CaptionRect();
    const int textHeight = painter.boundingRect(area, kTextFlags, caption_).height();
    int top = area.top();
    if (alignmentVertical_ == avCenter)
        top += (area.height() - textHeight) / 2;
    else if (alignmentVertical_ == avBottom)
        top = area.top() + area.height() - 1 - textHeight;
    // The text keeps to the rectangle's bottom: what does not fit there is cut off.
    const QRect text(area.left(), top, area.width(), area.top() + area.height() - top);
    const QPalette& colors = palette();
    if (isEnabled()) {
        painter.setPen(ResolveColor(SystemColor::WindowText, colors));
        painter.drawText(text, kTextFlags, caption_);
        return;
    }
    painter.setPen(ResolveColor(SystemColor::BtnHighlight, colors));
    painter.drawText(text.translated(1, 1), kTextFlags, caption_);
    painter.setPen(ResolveColor(SystemColor::BtnShadow, colors));
    painter.drawText(text, kTextFlags, caption_);
}

void TStyledCheckBox::DrawFocusMark(QPainter& painter) const {
    const int left = CaptionRect().left() - 1;
    const int captionWidth = fontMetrics().horizontalAdvance(caption_.trimmed());
    const int right = left + std::min(width() - left, captionWidth + 3);
    if (right <= left)
        return;
    const QColor dot(0, 0, 0);
    for (int y = 1; y < height(); y += 2) {
        painter.fillRect(left, y, 1, 1, dot);
        painter.fillRect(right - 1, y, 1, 1, dot);
    }
    for (int x = left + 1; x < right; x += 2) {
        painter.fillRect(x, 0, 1, 1, dot);
        painter.fillRect(x, height() - 1, 1, 1, dot);
    }
}

void TStyledCheckBox::paintEvent(QPaintEvent*) {
    const QColor background = ResolveColor(Color(), palette());
    // Composed at the screen's density: the caption is drawn there, and the box pattern is
    // scaled without smoothing, so each of its pixels becomes a block of whole device pixels.
    const qreal ratio = devicePixelRatioF();
    QImage canvas(size() * ratio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(background);
    QPainter painter(&canvas);
    painter.drawImage(BoxRect(), BoxImage(background));
    painter.setFont(font());
    DrawCaption(painter);
    if (hasFocus() && !caption_.isEmpty())
        DrawFocusMark(painter);
    painter.end();
    QPainter(this).drawImage(0, 0, canvas);
}

void TStyledCheckBox::enterEvent(QEnterEvent*) {
    mouseInside_ = true;
    Fire(OnMouseEnter, this);
    if (hotTrack_)
        update(BoxRect());
}

void TStyledCheckBox::leaveEvent(QEvent*) {
    mouseInside_ = false;
    Fire(OnMouseLeave, this);
    if (hotTrack_)
        update(BoxRect());
}

void TStyledCheckBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    if (!hasFocus())
        return;
    pressedLook_ = true;
    pressTracking_ = true;
    repaint();
}

void TStyledCheckBox::mouseMoveEvent(QMouseEvent* event) {
    if (!pressTracking_)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside == pressedLook_)
        return;
    pressedLook_ = inside;
    repaint();
}

void TStyledCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressTracking_ || event->button() != Qt::LeftButton)
        return;
    pressTracking_ = false;
    pressedLook_ = false;
    if (rect().contains(event->position().toPoint()))
        Toggle();
    repaint();
}

void TStyledCheckBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space)
        spaceArmed_ = true;
    else if (event->key() == Qt::Key_Escape)
        spaceArmed_ = false;
    else
        return QWidget::keyPressEvent(event);
    pressedLook_ = spaceArmed_;
    repaint();
}

void TStyledCheckBox::keyReleaseEvent(QKeyEvent* event) {
    // Holding Space repeats the press but must not repeat the toggle.
    if (event->key() != Qt::Key_Space || event->isAutoRepeat())
        return QWidget::keyReleaseEvent(event);
    pressedLook_ = false;
    if (spaceArmed_)
        Toggle();
    repaint();
}

void TStyledCheckBox::focusInEvent(QFocusEvent*) {
    update();
}

void TStyledCheckBox::focusOutEvent(QFocusEvent*) {
    pressedLook_ = false;
    update();
}

} // namespace trevalo
