#include "components/grid/TDBColumn.h"

#include "components/data/TField.h"

#include <QBitmap>
#include <QImage>
#include <algorithm>

namespace trevalo {

void TColumnProperties::SetGlyph(const QString& name) {
    glyphName_ = name;
    QImage image(name);
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

TDBColumn::Kind TDBColumn::CellKind() const {
    if (propertiesClassName_ == QLatin1String("TButtonEditProperties"))
        return Kind::Button;
    if (propertiesClassName_ == QLatin1String("TCheckBoxProperties"))
        return Kind::CheckBox;
    return Kind::Text;
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
