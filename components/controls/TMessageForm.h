/// \file
/// The warning box's window: an icon, the word-wrapped question and the "OK" and "Cancel" buttons,
/// laid out from the message font, with the box's keys and its copy to the clipboard.
#pragma once

#include "components/controls/ConfirmBox.h"

#include <QDialog>
#include <QList>

class QKeyEvent;
class QLabel;
class QPushButton;

namespace trevalo {

/// Built anew for each question. Its children are the image "Image", the label "Message" and the
/// buttons "OK" (the default, focused at first) and "Cancel"; its result is the TModalResult of
/// the button that closed it, mrCancel when it was closed any other way.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    /// Lays out the box for \p Text in the message font; \p parent is the window it is asked from.
    explicit TMessageForm(const QString& Text, QWidget* parent = nullptr);

    /// Closing the box without a button answers mrCancel.
    void reject() override;

protected:
    /// Sees the keys of the box and its buttons before they do.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Acts on the box's own keys; false for the keys the focused button handles.
    bool KeyPreview(const QKeyEvent& key);

    /// Puts the box's title, text and captions on the clipboard; throws when it cannot.
    void CopyToClipboard() const;

    QString ClipboardText() const;

    QLabel* message_ = nullptr;
    QList<QPushButton*> buttons_;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace trevalo
