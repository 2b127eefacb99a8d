/// \file
/// A multi-line text box that wraps its lines at its width and has no scroll bars; read-only,
/// its text can still be scrolled, selected and copied.
#pragma once

#include "components/forms/TComponent.h"

#include <QPlainTextEdit>

namespace trevalo {

class TStyledMemo : public QPlainTextEdit, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE SetReadOnly)
public:
    explicit TStyledMemo(QWidget* parent = nullptr);

    QStringList Lines() const;
    void SetLines(const QStringList& lines);

    /// False by default. While true, nothing the user types changes the text, but the caret
    /// still moves and text can be selected with the mouse or the keyboard and copied.
    void SetReadOnly(bool readOnly);

protected:
    /// Each whole notch of 120 scrolls by the platform's lines per notch (one page per notch
    /// when that setting is 65535), towards the start for a positive distance; a part of a
    /// notch is dropped.
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    /// The selection is shown only while the memo has the focus.
    void HideInactiveSelection();
};

} // namespace trevalo
