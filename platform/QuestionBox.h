/// \file
/// The platform's own question boxes under the question icon: OK and Cancel, or Yes and No.
#pragma once

#include <QString>

class QWidget;

namespace trevalo {

/// Asks \p text in an application-modal box titled \p caption; true only for OK.
bool AskOkCancel(const QString& text, const QString& caption, QWidget* parent = nullptr);

/// The same with Yes and No, Yes the default; true only for Yes.
bool AskYesNo(const QString& text, const QString& caption, QWidget* parent = nullptr);

} // namespace trevalo
