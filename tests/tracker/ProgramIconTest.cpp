// The program's icon offers each of its sizes as the picture drawn for that size, and a size in
// between as the next larger picture scaled down, never scaled up.
#include "tracker/ProgramIcon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

namespace trevalo {
namespace {

QImage Premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Picture(int side) {
    return Premultiplied(QImage(QStringLiteral(":/tracker/icon/trevalo-%1.png").arg(side)));
}

TEST(ProgramIcon, OffersEverySizeAsItsOwnPicture) {
    const QIcon icon = ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_EQ(sizes.size(), 8);
    for (const QSize& size : sizes) {
        SCOPED_TRACE(size.width());
        EXPECT_EQ(Premultiplied(icon.pixmap(size, 1.0).toImage()), Picture(size.width()));
    }
}

TEST(ProgramIcon, ASizeBetweenIsTheNextLargerPictureScaledDown) {
    struct Case {
        QSize asked;
        QSize shown;
        int picture;
    };
    const Case cases[] = {
        {{40, 40}, {40, 40}, 48},
        {{10, 10}, {10, 10}, 16},
        {{300, 300}, {256, 256}, 256},
        {{64, 32}, {32, 32}, 48},
    };
    const QIcon icon = ProgramIcon();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked.width());
        EXPECT_EQ(icon.actualSize(c.asked), c.shown);
        const QImage shown = icon.pixmap(c.asked, 1.0).toImage();
        EXPECT_EQ(shown.size(), c.shown);
        EXPECT_EQ(Premultiplied(shown), Picture(c.picture).scaled(c.shown, Qt::IgnoreAspectRatio,
                                                                  Qt::SmoothTransformation));
    }
}

TEST(ProgramIcon, PaintedAtTwiceTheDensityItTakesThePictureOfTwiceTheSize) {
    QImage canvas(32, 32, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    canvas.setDevicePixelRatio(2);
    {
        QPainter painter(&canvas);
        ProgramIcon().paint(&painter, QRect(0, 0, 16, 16));
    }
    canvas.setDevicePixelRatio(1);
    EXPECT_EQ(canvas, Picture(32));
}

} // namespace
} // namespace trevalo
