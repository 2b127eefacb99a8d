/// \file
/// A check box that draws its own 13 × 13 box, rings it on hover and fires its click event
/// once per change of state, after the new state is drawn.
#pragma once

#include "components/forms/TComponent.h"
#include "platform/ColorValue.h"

#include <QWidget>

namespace trevalo {

class TStyledCheckBox : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TCheckBoxState State READ State WRITE SetState)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(
        TAlignmentVertical AlignmentVertical READ AlignmentVertical WRITE SetAlignmentVertical)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(int HighlightColor READ HighlightColor WRITE SetHighlightColor)
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE SetHotTrack)
    Q_PROPERTY(int HotTrackColor READ HotTrackColor WRITE SetHotTrackColor)
    Q_PROPERTY(
        THotTrackColorType HotTrackColorType READ HotTrackColorType WRITE SetHotTrackColorType)
    Q_PROPERTY(int DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(int TransparentColor READ TransparentColor WRITE SetTransparentColor)
    Q_PROPERTY(int WinMaskColor READ WinMaskColor WRITE SetWinMaskColor)
public:
    enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
    Q_ENUM(TCheckBoxState)
    /// taRightJustify puts the box left of the caption, taLeftJustify right of it.
    enum TAlignment { taLeftJustify, taRightJustify };
    Q_ENUM(TAlignment)
    enum TAlignmentVertical { avTop, avCenter, avBottom };
    Q_ENUM(TAlignmentVertical)
    /// Whether hovering rings the box in shades of HotTrackColor or of its opposite hue.
    enum THotTrackColorType { hcComplement, hcActual };
    Q_ENUM(THotTrackColorType)

    /// The side of the square box image.
    static constexpr int kBoxSize = 13;

    explicit TStyledCheckBox(QWidget* parent = nullptr);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { Assign(caption_, caption); }
    TCheckBoxState State() const { return state_; }
    /// Stores a different state, repaints at once, then fires OnClick; the same state does
    /// nothing.
    void SetState(TCheckBoxState state);
    bool isChecked() const { return state_ == cbChecked; }
    void setChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    /// The next state, as a click gives it.
    void Toggle();
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { Assign(alignment_, alignment); }
    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    void SetAlignmentVertical(TAlignmentVertical alignment) {
        Assign(alignmentVertical_, alignment);
    }

    /// The parent's Color while none is set here; button face when the parent has none.
    ColorValue Color() const;
    void SetColor(ColorValue color);
    ColorValue FrameColor() const { return frameColor_; }
    void SetFrameColor(ColorValue color) { Assign(frameColor_, color); }
    /// The colour of the check mark.
    ColorValue HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(ColorValue color) { Assign(highlightColor_, color); }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool hotTrack) { Assign(hotTrack_, hotTrack); }
    ColorValue HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(ColorValue color) { Assign(hotTrackColor_, color); }
    THotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(THotTrackColorType type) { Assign(hotTrackColorType_, type); }
    ColorValue DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(ColorValue color) { Assign(disabledColor_, color); }
    /// Box pixels of this colour show Color instead.
    ColorValue TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(ColorValue color) { Assign(transparentColor_, color); }
    /// Box pixels of this colour show the window colour instead.
    ColorValue WinMaskColor() const { return winMaskColor_; }
    void SetWinMaskColor(ColorValue color) { Assign(winMaskColor_, color); }

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    template <class T> void Assign(T& member, const T& value) {
        if (member == value)
            return;
        member = value;
        update();
    }
    QRect BoxRect() const;
    QRect CaptionRect() const;
    QImage BoxImage(const QColor& background) const;
    void DrawCaption(QPainter& painter) const;
    void DrawFocusMark(QPainter& painter) const;

    QString caption_;
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
    TAlignmentVertical alignmentVertical_ = avTop;
    bool parentColor_ = true;
    ColorValue color_ = SystemColor::BtnFace;
    ColorValue frameColor_ = SystemColor::BtnShadow;
    ColorValue highlightColor_ = SystemColor::Highlight;
    bool hotTrack_ = false;
    ColorValue hotTrackColor_ = SystemColor::Highlight;
    THotTrackColorType hotTrackColorType_ = hcComplement;
    ColorValue disabledColor_ = SystemColor::BtnFace;
    ColorValue transparentColor_ = ColorFromRgb(0x80, 0x80, 0x00);
    ColorValue winMaskColor_ = ColorFromRgb(0x00, 0xFF, 0x00);

    bool mouseInside_ = false;   ///< The pointer is over the control.
    bool pressedLook_ = false;   ///< The box is drawn pressed.
    bool spaceArmed_ = false;    ///< Space went down and no Esc has cancelled it since.
    bool pressTracking_ = false; ///< The left button went down here and is not yet released.
};

} // namespace trevalo
