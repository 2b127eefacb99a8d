#include "components/grid/view/TDBColumn.h"

#include "components/data/TField.h"
#include "platform/Exception.h"
#include "platform/ImageFile.h"

#include <QBitmap>
#include <algorithm>
#include <iterator>
#include <utility>

namespace trevalo {

void TColumnProperties::SetGlyph(const QString& name) {
    const QImage image = ReadImageFile(name);
    if (image.isNull() && !name.isEmpty())
        throw Exception(QStringLiteral("Glyph %1 not found").arg(name));
    glyphName_ = name;
    if (image.isNull()) {
        glyph_ = QPixmap();
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    const QColor transparent = image.pixelColor(0, image.height() - 1);
    pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
    glyph_ = pixmap;
}

TDBColumn::TDBColumn(QObject* parent)
    : QObject(parent) {
    DeclareEvent(QStringLiteral("OnButtonClick"), OnButtonClick);
}

void TDBColumn::SetCaption(const QString& caption) {
    caption_ = caption;
    captionAssigned_ = true;
}

void TDBColumn::SetWidth(int width) {
    width_ = width;
    widthAssigned_ = true;
}

void TDBColumn::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Q_EMIT VisibleChanged();
}

void TDBColumn::SetPropertiesClassName(const QString& name) {
    static const std::pair<QLatin1String, Kind> kClasses[] = {
        {QLatin1String(""), Kind::Text},
        {QLatin1String("TTextEditProperties"), Kind::Text},
        {QLatin1String("TButtonEditProperties"), Kind::Button},
        {QLatin1String("TCheckBoxProperties"), Kind::CheckBox},
    };
    const auto found = std::find_if(std::begin(kClasses), std::end(kClasses),
                                    [&name](const auto& entry) { return entry.first == name; });
    if (found == std::end(kClasses))
        throw Exception(QStringLiteral("Class %1 not found").arg(name));
    propertiesClassName_ = name;
    kind_ = found->second;
}

QString TDBColumn::HeaderText(const TField* field) const {
    if (captionAssigned_)
        return caption_;
    return field ? field->DisplayLabel() : fieldName_;
}

QString TDBColumn::AccessibleName(const TField* field) const {
    return accessibleName_.isEmpty() ? HeaderText(field) : accessibleName_;
}

int TDBColumn::DisplayWidth(int natural) const {
    if (!options_.HorzSizing)
        return minWidth_;
    return std::max(widthAssigned_ ? width_ : natural, minWidth_);
}

} // namespace trevalo
