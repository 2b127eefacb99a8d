// The memo: read-only yet selectable and copyable, wrapping at its width with no scroll bars,
// and scrolled by the wheel in whole notches.
#include "components/controls/TStyledMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace trevalo {
namespace {

const QStringList kText{QStringLiteral("Greetings and thank you."), QString(),
                        QStringLiteral("\tThe green button marks the character done.")};

/// A window holding the memo and a line edit that can take the focus away from it.
class Memo : public testing::Test {
protected:
    Memo() {
        auto* column = new QVBoxLayout(&window_);
        column->addWidget(&memo_);
        column->addWidget(&other_);
        memo_.SetLines(kText);
        window_.resize(300, 200);
        window_.show();
        window_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
        memo_.setFocus();
    }

    void ReadOnly() { memo_.SetReadOnly(true); }

    QWidget window_;
    TStyledMemo memo_{&window_};
    QLineEdit other_{&window_};
};

struct EditAttempt {
    const char* name;
    std::function<void(QWidget&)> keys;
};

void PrintTo(const EditAttempt& test, std::ostream* out) {
    *out << test.name;
}

class ReadOnlyMemo : public Memo, public testing::WithParamInterface<EditAttempt> {};

TEST_P(ReadOnlyMemo, KeysThatWouldEditChangeNothing) {
    ReadOnly();
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClick(&memo_, Qt::Key_End);
    QTest::keyClick(&memo_, Qt::Key_Home, Qt::ShiftModifier);
    ASSERT_TRUE(memo_.textCursor().hasSelection());

    GetParam().keys(memo_);

    EXPECT_EQ(memo_.Lines(), kText);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("pasted"));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ReadOnlyMemo,
    testing::Values(
        EditAttempt{"Typing", [](QWidget& w) { QTest::keyClicks(&w, QStringLiteral("xyz")); }},
        EditAttempt{"Delete", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Delete); }},
        EditAttempt{"Backspace", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Backspace); }},
        EditAttempt{"Enter", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); }},
        EditAttempt{"Tab", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Tab); }},
        EditAttempt{"Cut", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier); }},
        EditAttempt{"ShiftDeleteCut",
                    [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Delete, Qt::ShiftModifier); }},
        EditAttempt{"Paste",
                    [](QWidget& w) { QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier); }},
        EditAttempt{"ShiftInsertPaste",
                    [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Insert, Qt::ShiftModifier); }},
        EditAttempt{"Undo",
                    [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier); }}),
    [](const testing::TestParamInfo<EditAttempt>& info) { return info.param.name; });

TEST_F(Memo, AnEditableMemoByDefault) {
    QTest::keyClicks(&memo_, QStringLiteral("x"));
    EXPECT_EQ(memo_.Lines().first(), QStringLiteral("xGreetings and thank you."));
}

TEST_F(Memo, TabMovesTheFocusOnAndTypesNothing) {
    QTest::keyClick(&memo_, Qt::Key_Tab);
    EXPECT_TRUE(other_.hasFocus());
    EXPECT_EQ(memo_.Lines(), kText);
}

TEST_F(Memo, ReadOnlyTheCaretMovesAndAKeyboardSelectionIsCopied) {
    ReadOnly();
    QTest::keyClick(&memo_, Qt::Key_Right);
    EXPECT_EQ(memo_.textCursor().position(), 1);
    QTest::keyClick(&memo_, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&memo_, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("reetings and thank you."));
}

TEST_F(Memo, ReadOnlyAWordPickedWithTheMouseIsCopied) {
    ReadOnly();
    // The word after the tab: a double click picks it.
    QTextCursor inside(memo_.document()->findBlockByNumber(2));
    inside.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 3);
    QTest::mouseDClick(memo_.viewport(), Qt::LeftButton, Qt::NoModifier,
                       memo_.cursorRect(inside).center());
    QTest::keyClick(&memo_, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("The"));
    EXPECT_EQ(memo_.Lines(), kText);
}

TEST_F(Memo, TheSelectionShowsOnlyWhileTheMemoHasTheFocus) {
    ReadOnly();
    memo_.selectAll();
    const QColor highlight = memo_.palette().color(QPalette::Active, QPalette::Highlight);
    const auto showsHighlight = [&] {
        const QImage image = memo_.viewport()->grab().toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == highlight)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(showsHighlight());
    other_.setFocus();
    ASSERT_FALSE(memo_.hasFocus());
    EXPECT_FALSE(showsHighlight());
    EXPECT_TRUE(memo_.textCursor().hasSelection()) << "the selection is kept, only not shown";
}

TEST_F(Memo, LongLinesWrapAtTheWidthWithoutScrollBars) {
    const QString line = QStringLiteral("word ").repeated(60).trimmed();
    memo_.SetLines({line});
    window_.layout()->activate();
    const auto lineCount = [&] { return memo_.document()->firstBlock().layout()->lineCount(); };
    const int narrow = lineCount();
    EXPECT_GT(narrow, 2);
    EXPECT_EQ(memo_.horizontalScrollBar()->maximum(), 0) << "nothing lies beyond the right edge";

    window_.resize(600, 200);
    window_.layout()->activate();
    EXPECT_LT(lineCount(), narrow);
}

TEST_F(Memo, NoScrollBarsEvenWhenTheTextIsLongerThanTheBox) {
    QStringList many;
    for (int i = 0; i < 100; ++i)
        many.append(QStringLiteral("line %1").arg(i));
    memo_.SetLines(many);
    QApplication::processEvents();
    ASSERT_GT(memo_.verticalScrollBar()->maximum(), 0) << "the text must be longer than the box";
    EXPECT_FALSE(memo_.verticalScrollBar()->isVisible());
    EXPECT_FALSE(memo_.horizontalScrollBar()->isVisible());
    EXPECT_EQ(memo_.viewport()->width(), memo_.width() - 2 * memo_.frameWidth());
}

// --- Wheel -----------------------------------------------------------------------------------

struct WheelCase {
    const char* name;
    int linesPerNotch;
    int startLine; // negative: counted back from the last line the box can scroll to
    int distance;  // positive: turned away from the user
    int expected;  // first line shown afterwards, in the same counting; kPage: one page down
};

void PrintTo(const WheelCase& test, std::ostream* out) {
    *out << test.name;
}

constexpr int kPage = 1000;

class MemoWheel : public Memo, public testing::WithParamInterface<WheelCase> {
protected:
    void SetUp() override {
        QStringList many;
        for (int i = 0; i < 100; ++i)
            many.append(QStringLiteral("line %1").arg(i));
        memo_.SetLines(many);
        ReadOnly();
        window_.layout()->activate();
        savedLinesPerNotch_ = QApplication::wheelScrollLines();
    }
    void TearDown() override { QApplication::setWheelScrollLines(savedLinesPerNotch_); }

    int FirstShownLine() const { return memo_.cursorForPosition(QPoint(4, 4)).blockNumber(); }

    int savedLinesPerNotch_ = 3;
};

TEST_P(MemoWheel, ScrollsByWholeNotches) {
    const WheelCase& test = GetParam();
    QApplication::setWheelScrollLines(test.linesPerNotch);
    QScrollBar& bar = *memo_.verticalScrollBar();
    const int caret = memo_.textCursor().position();
    const auto absolute = [&](int line) { return line < 0 ? bar.maximum() + 1 + line : line; };
    bar.setValue(absolute(test.startLine));
    ASSERT_EQ(FirstShownLine(), absolute(test.startLine));

    const QPointF at(20, 20);
    QWheelEvent wheel(at, memo_.viewport()->mapToGlobal(at), QPoint(), QPoint(0, test.distance),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(memo_.viewport(), &wheel);

    const int expected = test.expected == kPage ? bar.pageStep() : absolute(test.expected);
    EXPECT_EQ(bar.value(), expected);
    EXPECT_EQ(FirstShownLine(), expected);
    EXPECT_EQ(memo_.textCursor().position(), caret) << "the wheel moves the view, not the caret";
}

INSTANTIATE_TEST_SUITE_P(
    Notches, MemoWheel,
    testing::Values(WheelCase{"TowardsTheUserScrollsDown", 3, 0, -120, 3},
                    WheelCase{"AwayScrollsUp", 3, 10, 120, 7},
                    WheelCase{"TwoNotches", 3, 10, -240, 16},
                    WheelCase{"LinesPerNotchFollowsTheSetting", 5, 10, -120, 15},
                    WheelCase{"HalfANotchIsDropped", 3, 10, -60, 10},
                    WheelCase{"ARemainderIsDropped", 3, 10, 180, 7},
                    WheelCase{"StopsAtTheStart", 3, 1, 120, 0},
                    WheelCase{"StopsAtTheEnd", 3, -2, -120, -1},
                    WheelCase{"OnePagePerNotchOnTheSettingForIt", 65535, 0, -120, kPage}),
    [](const testing::TestParamInfo<WheelCase>& info) { return info.param.name; });

} // namespace
} // namespace trevalo
