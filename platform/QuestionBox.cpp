#include "platform/QuestionBox.h"

#include "platform/FocusReturn.h"

#include <QMessageBox>

namespace trevalo {

namespace {

bool Ask(const QString& text, const QString& caption, QWidget* parent,
         QMessageBox::StandardButton yes, QMessageBox::StandardButton no) {
    ReturnsFocus<QMessageBox> box(QMessageBox::Question, caption, text, yes | no,
                                  parent ? parent->window() : nullptr);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(yes);
    return box.exec() == yes;
}

} // namespace

bool AskOkCancel(const QString& text, const QString& caption, QWidget* parent) {
    return Ask(text, caption, parent, QMessageBox::Ok, QMessageBox::Cancel);
}

bool AskYesNo(const QString& text, const QString& caption, QWidget* parent) {
    return Ask(text, caption, parent, QMessageBox::Yes, QMessageBox::No);
}

} // namespace trevalo
