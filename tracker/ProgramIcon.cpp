#include "tracker/ProgramIcon.h"

#include "platform/ImageFile.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <array>
#include <cstddef>

namespace trevalo {

namespace {

constexpr std::array kSides{16, 22, 24, 32, 48, 64, 128, 256};

class ProgramIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : kSides)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = kSides[Best(size)];
        return Fitted(QSize(side, side), size);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const std::size_t best = Best(size);
        QPixmap& picture = pictures_[best];
        if (picture.isNull())
            picture = QPixmap::fromImage(
                ReadImageFile(QStringLiteral(":/tracker/icon/trevalo-%1.png").arg(kSides[best])));
        const QSize fitted = Fitted(picture.size(), size);
        return fitted == picture.size()
                   ? picture
                   : picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        // At the density of what it is painted on, so that a dense screen gets a sharp picture.
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

private:
    /// The smallest picture that covers \p size, or the largest when none does.
    static std::size_t Best(const QSize& size) {
        for (std::size_t i = 0; i < kSides.size(); ++i) {
            if (kSides[i] * kSides[i] >= size.width() * size.height())
                return i;
        }
        return kSides.size() - 1;
    }

    static QSize Fitted(const QSize& picture, const QSize& size) {
        return picture.width() > size.width() || picture.height() > size.height()
                   ? picture.scaled(size, Qt::KeepAspectRatio)
                   : picture;
    }

    std::array<QPixmap, kSides.size()> pictures_;
};

} // namespace

QIcon ProgramIcon() {
    return QIcon(new ProgramIconEngine);
}

} // namespace trevalo
