/// \file
/// The grid's navigator bar: the shown navigator buttons side by side, then an empty offset.
#pragma once

#include "components/grid/navigator/INavigatorHost.h"
#include "components/grid/view/TNavigatorButtons.h"

#include <QRect>
#include <QWidget>
#include <array>
#include <optional>

class QPainter;

namespace trevalo {

/// Paints the visible buttons at the left in index order, each as wide as its glyph plus its
/// borders (2 px at top and bottom, 1 px at the sides, 2 on the outer side of the first and
/// the last) plus 1, and as high as that or the grid's line height, whichever is more. The
/// offset to their right stays in the button-face colour: the widget wants ButtonsWidth() +
/// Offset() pixels, so the grid gives it the whole navigator area.
///
/// Any mouse-down first asks the host to focus the grid; a left press on an enabled button
/// then tracks the pointer and acts through the host when released over that button. The bar
/// never takes the keyboard focus and shows no hints.
class TGridNavigator : public QWidget {
    Q_OBJECT
public:
    TGridNavigator(TNavigatorButtons& buttons, INavigatorHost& host, QWidget* parent = nullptr);

    /// Recomputes every button's enabled state from the host and the button's own Enabled,
    /// and repaints the buttons that changed. Every button starts disabled until this runs
    /// (it also runs when the bar is shown), so the host need not be ready at construction.
    void UpdateButtons();
    bool IsButtonEnabled(NavigatorButton button) const;
    const TNavigatorButtons& Buttons() const { return buttons_; }
    /// Acts as a click on \p button: the grid takes the focus, then an enabled button acts.
    void Click(NavigatorButton button);

    /// The place of \p button in the bar; empty when it is hidden.
    QRect ButtonRect(NavigatorButton button) const;
    /// The width of the shown buttons together, 0 when none is shown.
    int ButtonsWidth() const;

    /// The grid's line height, the least height of a button.
    void SetLineHeight(int height);
    int LineHeight() const { return lineHeight_; }

    /// The empty space right of the buttons; negative values become 0.
    void SetOffset(int offset);
    int Offset() const { return offset_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /// \p button became enabled or disabled.
    void ButtonEnabledChanged(NavigatorButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    /// Every button's place; empty for the hidden ones.
    std::array<QRect, kNavigatorButtonCount> Layout() const;
    int ButtonHeight() const;
    void PaintButton(QPainter& painter, NavigatorButton button, const QRect& rect) const;
    /// The shown, enabled button at \p pos, if any.
    std::optional<NavigatorButton> EnabledButtonAt(QPoint pos) const;
    void SetHot(std::optional<NavigatorButton> button);
    void RepaintButton(std::optional<NavigatorButton> button);
    void ButtonsChanged();
    /// A click on \p button was released over it.
    void Act(NavigatorButton button);

    TNavigatorButtons& buttons_;
    INavigatorHost& host_;
    std::array<bool, kNavigatorButtonCount> enabled_{}; // computed by UpdateButtons()
    std::optional<NavigatorButton> hot_;                // the enabled button under the pointer
    std::optional<NavigatorButton> pressed_;            // held down by the left mouse button
    int lineHeight_ = 0;
    int offset_ = 50;
};

} // namespace trevalo
