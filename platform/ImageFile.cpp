#include "platform/ImageFile.h"

#include <QFileInfo>
#include <QImageReader>

namespace trevalo {

QImage ReadImageFile(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace trevalo
