#include "components/grid/navigator/TGridNavigator.h"

#include "components/grid/navigator/NavigatorGlyphs.h"
#include "platform/ColorMix.h"
#include "platform/ColorValue.h"
#include "platform/Failures.h"
#include "platform/PixelLines.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace trevalo {

namespace {

constexpr int kTopBorder = 2;
constexpr int kBottomBorder = 2;
constexpr int kSideBorder = 1;
constexpr int kOuterSideBorder = 2;

/// A button's state from the view's answers, before its own Enabled and the grid's state.
bool ComputedState(NavigatorButton button, const INavigatorHost& host) {
    switch (button) {
    case NavigatorButton::First:
    case NavigatorButton::PriorPage:
    case NavigatorButton::Prior:
        return !host.AtFirstRow();
    case NavigatorButton::Next:
    case NavigatorButton::NextPage:
    case NavigatorButton::Last:
        return !host.AtLastRow();
    case NavigatorButton::Insert:
        return host.MayInsert();
    case NavigatorButton::Delete:
        return host.MayDelete();
    case NavigatorButton::Edit:
        return host.MayEdit() && !host.IsEditing();
    case NavigatorButton::Post:
    case NavigatorButton::Cancel:
        return host.MayEdit() && host.IsEditing();
    case NavigatorButton::GotoBookmark:
        return host.BookmarkSaved();
    case NavigatorButton::Refresh:
    case NavigatorButton::SaveBookmark:
    case NavigatorButton::Filter:
        return true;
    }
    return false;
}

/// \p glyph's shape in one colour.
QImage Silhouette(const QImage& glyph, const QColor& color) {
    QImage shape = glyph.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&shape);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shape.rect(), color);
    return shape;
}

} // namespace

TGridNavigator::TGridNavigator(TNavigatorButtons& buttons, INavigatorHost& host, QWidget* parent)
    : QWidget(parent)
    , buttons_(buttons)
    , host_(host) {
    // Clicks must leave the focus where the host puts it: on the grid.
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&buttons_, &TNavigatorButtons::Changed, this, &TGridNavigator::ButtonsChanged);
}

void TGridNavigator::UpdateButtons() {
    const bool gridEnabled = host_.GridEnabled();
    const auto layout = Layout();
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        const auto button = static_cast<NavigatorButton>(i);
        const bool enabled =
            gridEnabled && buttons_.Button(i)->Enabled() && ComputedState(button, host_);
        bool& stored = enabled_[static_cast<std::size_t>(i)];
        if (stored == enabled)
            continue;
        stored = enabled;
        update(layout[static_cast<std::size_t>(i)]);
        Q_EMIT ButtonEnabledChanged(button);
    }
}

bool TGridNavigator::IsButtonEnabled(NavigatorButton button) const {
    return enabled_[static_cast<std::size_t>(button)];
}

std::array<QRect, kNavigatorButtonCount> TGridNavigator::Layout() const {
    int firstShown = -1;
    int lastShown = -1;
    for (int i = 0; i < kNavigatorButtonCount; ++i)
        if (buttons_.Button(i)->Visible()) {
            if (firstShown < 0)
                firstShown = i;
            lastShown = i;
        }
    std::array<QRect, kNavigatorButtonCount> layout{};
    const int height = ButtonHeight();
    int x = 0;
    for (int i = firstShown; i >= 0 && i <= lastShown; ++i) {
        if (!buttons_.Button(i)->Visible())
            continue;
        const int left = i == firstShown ? kOuterSideBorder : kSideBorder;
        const int right = i == lastShown ? kOuterSideBorder : kSideBorder;
        const int width = left + kNavigatorGlyphWidth + right + 1;
        layout[static_cast<std::size_t>(i)] = QRect(x, 0, width, height);
        x += width;
    }
    return layout;
}

QRect TGridNavigator::ButtonRect(NavigatorButton button) const {
    return Layout()[static_cast<std::size_t>(button)];
}

int TGridNavigator::ButtonsWidth() const {
    int width = 0;
    for (const QRect& rect : Layout())
        width += rect.width();
    return width;
}

int TGridNavigator::ButtonHeight() const {
    return std::max(kTopBorder + kNavigatorGlyphHeight + kBottomBorder + 1, lineHeight_);
}

void TGridNavigator::SetLineHeight(int height) {
    if (lineHeight_ == height)
        return;
    lineHeight_ = height;
    updateGeometry();
    update();
}

void TGridNavigator::SetOffset(int offset) {
    offset = std::max(offset, 0);
    if (offset_ == offset)
        return;
    offset_ = offset;
    updateGeometry();
    update();
}

QSize TGridNavigator::sizeHint() const {
    return QSize(ButtonsWidth() + offset_, ButtonHeight());
}

QSize TGridNavigator::minimumSizeHint() const {
    return sizeHint();
}

void TGridNavigator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ResolveColor(SystemColor::BtnFace, palette()));
    const auto layout = Layout();
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        const QRect& rect = layout[static_cast<std::size_t>(i)];
        if (!rect.isEmpty())
            PaintButton(painter, static_cast<NavigatorButton>(i), rect);
    }
}

void TGridNavigator::PaintButton(QPainter& painter, NavigatorButton button,
                                 const QRect& rect) const {
    const bool enabled = IsButtonEnabled(button);
    const bool hot = enabled && hot_ == button;
    const bool down = hot && pressed_ == button;
    if (hot) {
        const QColor highlight = ResolveColor(SystemColor::Highlight, palette());
        const QColor window = ResolveColor(SystemColor::Window, palette());
        painter.fillRect(rect, MixColors(highlight, window, down ? 128 : 64));
        DrawPixelFrame(painter, rect, highlight);
    }
    QPoint at = rect.topLeft() + QPoint((rect.width() - kNavigatorGlyphWidth) / 2,
                                        (rect.height() - kNavigatorGlyphHeight) / 2);
    if (down)
        at += QPoint(1, 1);
    const QImage glyph = NavigatorGlyph(button);
    if (enabled) {
        painter.drawImage(at, glyph);
        return;
    }
    // Embossed: a light copy one pixel down and right under the shape in shadow colour.
    painter.drawImage(at + QPoint(1, 1),
                      Silhouette(glyph, ResolveColor(SystemColor::BtnHighlight, palette())));
    painter.drawImage(at, Silhouette(glyph, ResolveColor(SystemColor::BtnShadow, palette())));
}

std::optional<NavigatorButton> TGridNavigator::EnabledButtonAt(QPoint pos) const {
    const auto layout = Layout();
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        const auto button = static_cast<NavigatorButton>(i);
        if (layout[static_cast<std::size_t>(i)].contains(pos) && IsButtonEnabled(button))
            return button;
    }
    return std::nullopt;
}

void TGridNavigator::mousePressEvent(QMouseEvent* event) {
    // Closing an open editor may fail; then nothing is pressed.
    if (!Guard([this] { host_.FocusGridForNavigator(); }) || event->button() != Qt::LeftButton)
        return;
    const auto button = EnabledButtonAt(event->position().toPoint());
    if (!button)
        return;
    pressed_ = button;
    SetHot(button);
    RepaintButton(button);
}

void TGridNavigator::mouseMoveEvent(QMouseEvent* event) {
    auto under = EnabledButtonAt(event->position().toPoint());
    if (pressed_ && under != pressed_)
        under.reset();
    SetHot(under);
}

void TGridNavigator::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    const NavigatorButton button = *pressed_;
    pressed_.reset();
    const auto under = EnabledButtonAt(event->position().toPoint());
    SetHot(under);
    RepaintButton(button);
    if (under == button)
        Act(button);
}

void TGridNavigator::Click(NavigatorButton button) {
    if (Guard([this] { host_.FocusGridForNavigator(); }) && IsButtonEnabled(button))
        Act(button);
}

void TGridNavigator::Act(NavigatorButton button) {
    Guard([this, button] { host_.DoNavigatorAction(button); });
    UpdateButtons();
}

void TGridNavigator::leaveEvent(QEvent* event) {
    SetHot(std::nullopt);
    QWidget::leaveEvent(event);
}

void TGridNavigator::showEvent(QShowEvent* event) {
    UpdateButtons();
    QWidget::showEvent(event);
}

bool TGridNavigator::event(QEvent* event) {
    // No hints over the navigator, not even the grid's own, which an ignored event would reach.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QWidget::event(event);
}

void TGridNavigator::SetHot(std::optional<NavigatorButton> button) {
    if (hot_ == button)
        return;
    RepaintButton(hot_);
    hot_ = button;
    RepaintButton(hot_);
}

void TGridNavigator::RepaintButton(std::optional<NavigatorButton> button) {
    if (button)
        update(ButtonRect(*button));
}

void TGridNavigator::ButtonsChanged() {
    updateGeometry();
    update();
    UpdateButtons();
}

} // namespace trevalo
