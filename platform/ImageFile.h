/// \file
/// Pictures read from files in the format that their names give.
#pragma once

#include <QImage>
#include <QString>

namespace trevalo {

/// The picture in \p path, read as the format its suffix names; null if there is none or it
/// cannot be read. The content is not probed: probing loads every image plugin there is.
QImage ReadImageFile(const QString& path);

} // namespace trevalo
