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

// The scaled pictures are kept as the program first made them, looked at and found right.
TEST(ProgramIcon, ASizeBetweenIsTheNextLargerPictureScaledDown) {
    struct Case {
        QSize asked;
        QSize shown;
        const char* expected;
    };
    const Case cases[] = {
        {{40, 40}, {40, 40}, ":/expected/icon-40-from-48.png"},
        {{10, 10}, {10, 10}, ":/expected/icon-10-from-16.png"},
        {{300, 300}, {256, 256}, ":/tracker/icon/trevalo-256.png"},
        {{64, 32}, {32, 32}, ":/expected/icon-32-from-48.png"},
    };
    const QIcon icon = ProgramIcon();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked.width());
        EXPECT_EQ(icon.actualSize(c.asked), c.shown);
        const QImage shown = icon.pixmap(c.asked, 1.0).toImage();
        EXPECT_EQ(shown.size(), c.shown);
        const QImage expected(QString::fromLatin1(c.expected));
        ASSERT_FALSE(expected.isNull()) << c.expected;
        EXPECT_EQ(Premultiplied(shown), Premultiplied(expected));
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
