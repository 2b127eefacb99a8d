// The confirmation box's layout, derived from the message font, and its place on the screen.
#include "ConfirmBoxDriver.h"
#include "components/controls/TMessageForm.h"
#include "platform/MulDiv.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

namespace trevalo::test {
namespace {

/// Where the box's parts belong for a text, worked out from the message font.
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

ExpectedLayout ExpectLayout(const QString& text, bool rightToLeft = false) {
    const QFontMetrics font(QApplication::font("QMessageBox"));
    const int x = font.horizontalAdvance(
                      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                  52;
    const int y = font.height();
    const int horzMargin = MulDiv(8, x, 4);
    const int vertMargin = MulDiv(8, y, 8);
    const int horzSpacing = MulDiv(10, x, 4);
    const int vertSpacing = MulDiv(10, y, 8);
    const int widestCaption = std::max(font.horizontalAdvance(QStringLiteral("OK")),
                                       font.horizontalAdvance(QStringLiteral("Cancel")));
    const int buttonWidth = std::max(MulDiv(50, x, 4), widestCaption + 8);
    const int buttonHeight = MulDiv(14, y, 8);
    const int buttonGap = MulDiv(4, x, 4);

    const QRect block = font.boundingRect(QRect(0, 0, ScreenWidth() / 2, 0),
                                          Qt::TextWordWrap | Qt::TextExpandTabs, text);
    const int iconTextWidth = block.width() + horzSpacing + 32;
    const int iconTextHeight = std::max(block.height(), 32);
    const int rowWidth = 2 * buttonWidth + buttonGap;
    ExpectedLayout layout;
    layout.client = QSize(std::max(iconTextWidth, rowWidth) + 2 * horzMargin,
                          iconTextHeight + buttonHeight + vertSpacing + 2 * vertMargin);
    const auto mirrored = [&](int left, int width) {
        return rightToLeft ? layout.client.width() - left - width : left;
    };
    layout.image = QRect(mirrored(horzMargin, 32), vertMargin, 32, 32);
    layout.message = QRect(mirrored(horzMargin + 32 + horzSpacing, block.width()), vertMargin,
                           block.width(), block.height());
    const int buttonTop = vertMargin + iconTextHeight + vertSpacing;
    const int okLeft = (layout.client.width() - rowWidth) / 2;
    layout.ok = QRect(okLeft, buttonTop, buttonWidth, buttonHeight);
    layout.cancel = layout.ok.translated(buttonWidth + buttonGap, 0);
    return layout;
}

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
};

class ConfirmBoxLayout : public testing::TestWithParam<TextCase> {};

TEST_P(ConfirmBoxLayout, FollowsTheMessageFont) {
    const TMessageForm box(GetParam().text);
    ExpectLaidOut(box, ExpectLayout(GetParam().text));
    const auto* message = box.findChild<QLabel*>(QStringLiteral("Message"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), GetParam().text);
    EXPECT_TRUE(message->wordWrap());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConfirmBoxLayout,
    testing::Values(TextCase{"Short", QStringLiteral("Delete?")}, TextCase{"Empty", QString()},
                    TextCase{"Tabbed", QStringLiteral("Effect:\tHaste\nEnds:\tturn 3")},
                    TextCase{"SeveralLines", QStringLiteral("Delete\nthis\neffect\nnow?")},
                    TextCase{"Markup", QStringLiteral("Delete <b>Haste</b> & co?")},
                    TextCase{"Long", kLongText}),
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
    ExpectLaidOut(box, ExpectLayout(QStringLiteral("Delete this effect?"), true));
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
    EXPECT_EQ(client.size(), ExpectLayout(GetParam().text).client);
    ASSERT_GT(frame.width(), client.width()) << "the platform frames no window";
    EXPECT_EQ(frame.left(), std::max(0, (screen.width() - frame.width()) / 2));
    EXPECT_EQ(frame.top(), std::max(0, (screen.height() - frame.height()) / 2));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConfirmBoxPlacement,
    testing::Values(PlacementCase{"Short", QStringLiteral("Delete?")},
                    // Taller than the screen: the box is not cut down to fit.
                    PlacementCase{"TallerThanTheScreen", kLongText.repeated(12)}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace trevalo::test
