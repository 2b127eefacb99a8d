#include "platform/QuestionBox.h"

#include "platform/FocusReturn.h"

#include <QMessageBox>

namespace trevalo {

bool AskOkCancel(const QString& text, const QString& caption, QWidget* parent) {
    ReturnsFocus<QMessageBox> box(QMessageBox::Question, caption, text,
                                  QMessageBox::Ok | QMessageBox::Cancel,
                                  parent ? parent->window() : nullptr);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

} // namespace trevalo
