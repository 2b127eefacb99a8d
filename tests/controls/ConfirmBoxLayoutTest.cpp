// The confirmation box's layout, against figures measured for the bundled font, and its place on
// the screen.
#include "ConfirmBoxDriver.h"
#include "components/controls/TMessageForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

namespace trevalo::test {
namespace {

/// Where the box's parts belong for a text.
struct ExpectedLayout {
    QRect image;
    QRect message;
    QRect ok;
    QRect cancel;
    QSize client;
};

int ScreenWidth() {
    return QGuiApplication::primaryScreen()->geometry().width();
}

// The figures, measured once, for the bundled window font (letters 6 pixels wide on average,
// lines 12 high) on the 800-pixel-wide screen of the tests: margins of 12, 15 between icon and
// text and above the buttons, buttons of 75 by 21 standing 6 apart, centred under the rest.
constexpr QRect kImage(12, 12, 32, 32);
constexpr QSize kOneLineClient(180, 92);
constexpr QRect kOneLineOk(12, 59, 75, 21);
constexpr QRect kOneLineCancel(93, 59, 75, 21);

QRect GeometryOf(const QWidget& box, const char* name) {
    const auto* child = box.findChild<QWidget*>(QString::fromLatin1(name));
    return child ? child->geometry() : QRect();
}

void ExpectLaidOut(const QWidget& box, const ExpectedLayout& expected) {
    EXPECT_EQ(box.size(), expected.client);
    EXPECT_EQ(GeometryOf(box, "Image"), expected.image);
    EXPECT_EQ(GeometryOf(box, "Message"), expected.message);
    EXPECT_EQ(GeometryOf(box, "OK"), expected.ok);
    EXPECT_EQ(GeometryOf(box, "Cancel"), expected.cancel);
}

const QString kLongText = QStringLiteral("Delete the effect \"Improved Reflexes\" that ends now? ")
                              .repeated(20)
                              .trimmed();

struct TextCase {
    const char* name;
    QString text;
    ExpectedLayout layout;
};

class ConfirmBoxLayout : public testing::TestWithParam<TextCase> {};

TEST_P(ConfirmBoxLayout, FollowsTheMessageFont) {
    ASSERT_EQ(ScreenWidth(), 800) << "the figures are for the tests' screen";
    const TMessageForm box(GetParam().text);
    ExpectLaidOut(box, GetParam().layout);
    const auto* message = box.findChild<QLabel*>(QStringLiteral("Message"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), GetParam().text);
    EXPECT_TRUE(message->wordWrap());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConfirmBoxLayout,
    testing::Values(
        TextCase{"Short",
                 QStringLiteral("Delete?"),
                 {kImage, QRect(59, 12, 37, 13), kOneLineOk, kOneLineCancel, kOneLineClient}},
        TextCase{"Empty",
                 QString(),
                 {kImage, QRect(59, 12, 0, 13), kOneLineOk, kOneLineCancel, kOneLineClient}},
        TextCase{"Tabbed",
                 QStringLiteral("Effect:\tHaste\nEnds:\tturn 3"),
                 {kImage, QRect(59, 12, 77, 26), kOneLineOk, kOneLineCancel, kOneLineClient}},
        TextCase{"SeveralLines",
                 QStringLiteral("Delete\nthis\neffect\nnow?"),
                 {kImage, QRect(59, 12, 31, 52), QRect(12, 79, 75, 21), QRect(93, 79, 75, 21),
                  QSize(180, 112)}},
        TextCase{"Markup",
                 QStringLiteral("Delete <b>Haste</b> & co?"),
                 {kImage, QRect(59, 12, 133, 13), QRect(24, 59, 75, 21), QRect(105, 59, 75, 21),
                  QSize(204, 92)}},
        TextCase{"Long",
                 kLongText,
                 {kImage, QRect(59, 12, 394, 182), QRect(154, 209, 75, 21), QRect(235, 209, 75, 21),
                  QSize(465, 242)}}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(ConfirmBox, LongTextWrapsWithinHalfTheScreenAndTheBoxGrowsDown) {
    const QFontMetrics font(QApplication::font("QMessageBox"));
    ASSERT_GT(font.horizontalAdvance(kLongText), ScreenWidth() / 2);
    const TMessageForm shortBox(QStringLiteral("Delete?"));
    const TMessageForm longBox(kLongText);
    const QRect message = GeometryOf(longBox, "Message");
    EXPECT_LE(message.width(), ScreenWidth() / 2);
    EXPECT_GE(message.height(), 3 * font.height());
    EXPECT_GT(longBox.height(), shortBox.height() + 2 * font.height());
    EXPECT_EQ(GeometryOf(longBox, "OK").top() - message.bottom(),
              GeometryOf(shortBox, "OK").top() - GeometryOf(shortBox, "Image").bottom());
}

TEST(ConfirmBox, TabsAreExpanded) {
    const TMessageForm tabbed(QStringLiteral("Effect:\tHaste"));
    const TMessageForm spaced(QStringLiteral("Effect: Haste"));
    EXPECT_GT(GeometryOf(tabbed, "Message").width(), GeometryOf(spaced, "Message").width());
}

TEST(ConfirmBox, RightToLeftPutsTheIconRightOfTheText) {
    QApplication::setLayoutDirection(Qt::RightToLeft);
    const TMessageForm box(QStringLiteral("Delete this effect?"));
    QApplication::setLayoutDirection(Qt::LeftToRight);
    ExpectLaidOut(box, {QRect(136, 12, 32, 32), QRect(34, 12, 87, 13), kOneLineOk, kOneLineCancel,
                        kOneLineClient});
    EXPECT_GT(GeometryOf(box, "Image").left(), GeometryOf(box, "Message").right());
}

TEST(ConfirmBox, ShowsTheWarningIconAndTheText) {
    TMessageForm box(QStringLiteral("Delete?"));
    const QImage shot = box.grab().toImage();
    const QRgb background = box.palette().color(QPalette::Window).rgb();
    const auto differs = [&](const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (shot.pixel(x, y) != background)
                    return true;
        return false;
    };
    EXPECT_TRUE(differs(GeometryOf(box, "Image"))) << "no icon drawn";
    EXPECT_TRUE(differs(GeometryOf(box, "Message"))) << "no text drawn";
}

struct PlacementCase {
    const char* name;
    QString text;
    QSize client;
};

class ConfirmBoxPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(ConfirmBoxPlacement, CentresItsFrameOnTheScreenAndNeverAboveOrLeftOfIt) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QRect client, frame;
    AskAndAnswer(GetParam().text, [&](QDialog& box) {
        client = box.geometry();
        frame = box.frameGeometry();
        PressKey(Qt::Key_Return);
    });
    EXPECT_EQ(client.size(), GetParam().client);
    ASSERT_GT(frame.width(), client.width()) << "the platform frames no window";
    EXPECT_EQ(frame.left(), std::max(0, (screen.width() - frame.width()) / 2));
    EXPECT_EQ(frame.top(), std::max(0, (screen.height() - frame.height()) / 2));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConfirmBoxPlacement,
    testing::Values(PlacementCase{"Short", QStringLiteral("Delete?"), kOneLineClient},
                    // Taller than the screen: the box is not cut down to fit.
                    PlacementCase{"TallerThanTheScreen", kLongText.repeated(12), QSize(465, 2140)}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace trevalo::test
