/// \file
/// The platform's own question box: OK and Cancel under the question icon.
#pragma once

#include <QString>

class QWidget;

namespace trevalo {

/// Asks \p text in an application-modal box titled \p caption; true only for OK.
bool AskOkCancel(const QString& text, const QString& caption, QWidget* parent = nullptr);

} // namespace trevalo
