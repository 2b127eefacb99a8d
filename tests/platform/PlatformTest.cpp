#include "platform/Announcement.h"
#include "platform/ColorValue.h"
#include "platform/Exception.h"
#include "platform/ImageFile.h"
#include "platform/MulDiv.h"
#include "platform/TApplication.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QtGui/private/qguiapplication_p.h>
#include <gtest/gtest.h>
#include <memory>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <string>

namespace trevalo {
namespace {

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    for (const Case& row :
         {Case{8, 6, 4, 12}, Case{10, 5, 4, 13}, Case{14, 13, 8, 23}, Case{1, 1, 2, 1},
          Case{-1, 1, 2, -1}, Case{7, 1, -2, -4}, Case{50, 6, 4, 75}, Case{5, 5, 0, -1}})
        EXPECT_EQ(MulDiv(row.a, row.b, row.c), row.expected)
            << row.a << '*' << row.b << '/' << row.c;
}

TEST(ColorValue, ExplicitColoursAreBgrAndSystemColoursFollowThePalette) {
    EXPECT_EQ(ResolveColor(8409372), QColor(28, 81, 128));
    EXPECT_EQ(ResolveColor(ColorFromRgb(0xC0, 0xDC, 0xC0)), QColor(0xC0, 0xDC, 0xC0));
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(4, 5, 6));
    EXPECT_EQ(ResolveColor(SystemColor::BtnFace, palette), QColor(1, 2, 3));
    EXPECT_EQ(ResolveColor(SystemColor::Highlight, palette), QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(7, 8, 9));
    EXPECT_EQ(ResolveColor(SystemColor::BtnFace, palette), QColor(7, 8, 9));
}

TEST(TApplication, SetsTheClassicLookAndTheWindowFont) {
    const auto* style = qobject_cast<const QProxyStyle*>(QApplication::style());
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->baseStyle()->name().toLower(), QStringLiteral("windows"));
    EXPECT_EQ(QApplication::startDragDistance(), 5);
    const QFont font = QApplication::font();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(font.pixelSize(), 11);
    EXPECT_EQ(QFontMetrics(font).horizontalAdvance(QLatin1Char('0')), 6);
}

QImage PaintedIcon(const QIcon& icon, const QSize& size, qreal ratio) {
    QImage canvas(size * ratio, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    icon.paint(&painter, QRect(QPoint(), size));
    return canvas;
}

TEST(ClassicStyle, ReadsTheToolbarExtensionIconsLateButDrawsThemAsTheWindowsStyleDoes) {
    const std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon expected = windows->standardIcon(which);
        const QIcon icon = QApplication::style()->standardIcon(which);
        ASSERT_FALSE(expected.availableSizes().isEmpty());
        EXPECT_EQ(icon.availableSizes(), expected.availableSizes()) << which;
        for (const QSize& size : {QSize(16, 16), QSize(8, 5), QSize(40, 40)}) {
            EXPECT_EQ(icon.actualSize(size), expected.actualSize(size)) << which;
            for (const qreal ratio : {1.0, 2.0}) {
                const std::string where =
                    std::to_string(which) + " at " + std::to_string(size.width()) + "x" +
                    std::to_string(size.height()) + " * " + std::to_string(ratio);
                EXPECT_EQ(icon.pixmap(size, ratio).toImage(),
                          expected.pixmap(size, ratio).toImage())
                    << where;
                EXPECT_EQ(PaintedIcon(icon, size, ratio), PaintedIcon(expected, size, ratio))
                    << where;
            }
        }
    }
}

TEST(ImageFile, ReadsTheFormatThatTheSuffixNamesWithoutProbingTheContent) {
    const QTemporaryDir folder;
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("picture.png")), "PNG"));
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("misnamed.bmp")), "PNG"));
    EXPECT_EQ(ReadImageFile(folder.filePath(QStringLiteral("picture.png"))).pixelColor(2, 1),
              QColor(10, 20, 30));
    EXPECT_TRUE(ReadImageFile(folder.filePath(QStringLiteral("misnamed.bmp"))).isNull());
    EXPECT_TRUE(ReadImageFile(folder.filePath(QStringLiteral("missing.png"))).isNull());
    EXPECT_TRUE(ReadImageFile(QString()).isNull());
}

TEST(TApplication, ErrorBoxAddsAFullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(TApplication::ErrorBoxText(QStringLiteral("Record not found")),
              QStringLiteral("Record not found."));
    EXPECT_EQ(TApplication::ErrorBoxText(QStringLiteral("Done.")), QStringLiteral("Done."));
    EXPECT_EQ(TApplication::ErrorBoxText(QStringLiteral("Really?")), QStringLiteral("Really?."));
    EXPECT_EQ(TApplication::ErrorBoxText(QStringLiteral("Value '-'")), QStringLiteral("Value '-'"));
    EXPECT_EQ(TApplication::ErrorBoxText(QString()), QString());
}

// A failure thrown from an event handler ends in the error box, and the program goes on.
class Thrower : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw Exception(QStringLiteral("Broken handler"));
        return QObject::event(event);
    }
};

TEST(TApplication, DefaultHandlerShowsTheMessageAndKeepsRunning) {
    QString shown, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        title = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    Thrower thrower;
    QEvent event(QEvent::User);
    QApplication::sendEvent(&thrower, &event);
    EXPECT_EQ(shown, QStringLiteral("Broken handler."));
    EXPECT_EQ(title, QStringLiteral("Trevalo"));
    EXPECT_EQ(icon, QMessageBox::Critical);
}

/// What a screen reader was told was shown: the element's role, name and parent.
struct Shown {
    QAccessible::Role role;
    QString name;
    QObject* parent;
    bool operator==(const Shown&) const = default;
};
QList<Shown> shown;

TEST(Announcement, IsANotificationOfTheWindowToldOnlyWhileAReaderListens) {
    QWidget window;
    window.resize(200, 100);
    window.show();
    shown.clear();
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        QAccessibleInterface* told = event->accessibleInterface();
        if (event->type() == QAccessible::ObjectShow && told)
            shown.append({told->role(), told->text(QAccessible::Name),
                          told->parent() ? told->parent()->object() : nullptr});
    });
    QPlatformAccessibility* reader = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(reader, nullptr);
    Announce(window, QStringLiteral("Turn #: 2"));
    EXPECT_TRUE(shown.isEmpty()) << "nobody listens";

    reader->setActive(true);
    const QImage before = window.grab().toImage();
    Announce(window, QStringLiteral("Turn #: 2"));
    Announce(window, QStringLiteral("Turn #: 3"));
    reader->setActive(false);
    QAccessible::installUpdateHandler(nullptr);
    EXPECT_EQ(shown,
              QList<Shown>({{QAccessible::Notification, QStringLiteral("Turn #: 2"), &window},
                            {QAccessible::Notification, QStringLiteral("Turn #: 3"), &window}}));
    EXPECT_EQ(window.grab().toImage(), before) << "nothing shows on the screen";
}

} // namespace
} // namespace trevalo
