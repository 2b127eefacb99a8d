// The confirmation box answered with the keyboard, the mouse and the window's own ways of closing.
#include "ConfirmBoxDriver.h"
#include "components/controls/TMessageForm.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace trevalo::test {
namespace {

const QString kQuestion = QStringLiteral("Delete \"Bless & Curse\"?");

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

struct KeyCase {
    const char* name;
    std::vector<KeyStroke> keys; // every key but the last must leave the box open
    TModalResult answer;
};

class ConfirmBoxKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(ConfirmBoxKeys, AnswerAsTheKeysSay) {
    const KeyCase& keyCase = GetParam();
    const TModalResult answer = AskAndAnswer(kQuestion, [&](QDialog& box) {
        for (std::size_t i = 0; i + 1 < keyCase.keys.size(); ++i) {
            PressKey(keyCase.keys[i].key, keyCase.keys[i].modifiers);
            if (!box.isVisible()) {
                ADD_FAILURE() << "key " << i << " closed the box";
                return;
            }
        }
        PressKey(keyCase.keys.back().key, keyCase.keys.back().modifiers);
    });
    EXPECT_EQ(answer, keyCase.answer);
}

constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, ConfirmBoxKeys,
    testing::Values(
        KeyCase{"Enter", {{Qt::Key_Return}}, mrOk},
        KeyCase{"KeypadEnter", {{Qt::Key_Enter, Qt::KeypadModifier}}, mrOk},
        KeyCase{"Esc", {{Qt::Key_Escape}}, mrCancel},
        KeyCase{"TabThenEnter", {{Qt::Key_Tab}, {Qt::Key_Return}}, mrCancel},
        KeyCase{"TabTwiceWrapsToOk", {{Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Return}}, mrOk},
        KeyCase{"ShiftTabThenEnter", {{Qt::Key_Tab, kShift}, {Qt::Key_Return}}, mrCancel},
        KeyCase{"TabAndBack", {{Qt::Key_Tab}, {Qt::Key_Tab, kShift}, {Qt::Key_Return}}, mrOk},
        KeyCase{"EscOnOk", {{Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Escape}}, mrCancel},
        KeyCase{"ShiftEnterDoesNothing", {{Qt::Key_Return, kShift}, {Qt::Key_Return}}, mrOk},
        KeyCase{"CtrlEnterDoesNothing", {{Qt::Key_Return, kCtrl}, {Qt::Key_Return}}, mrOk},
        KeyCase{"AltEnterDoesNothing", {{Qt::Key_Return, kAlt}, {Qt::Key_Return}}, mrOk},
        KeyCase{"ShiftEnterOnCancelDoesNothing",
                {{Qt::Key_Tab}, {Qt::Key_Return, kShift}, {Qt::Key_Tab}, {Qt::Key_Return}},
                mrOk},
        KeyCase{"ShiftEscDoesNothing", {{Qt::Key_Escape, kShift}, {Qt::Key_Return}}, mrOk},
        KeyCase{"CtrlEscDoesNothing", {{Qt::Key_Escape, kCtrl}, {Qt::Key_Return}}, mrOk},
        KeyCase{"AltEscDoesNothing", {{Qt::Key_Escape, kAlt}, {Qt::Key_Return}}, mrOk},
        KeyCase{"Space", {{Qt::Key_Space}}, mrOk},
        KeyCase{"TabThenSpace", {{Qt::Key_Tab}, {Qt::Key_Space}}, mrCancel},
        KeyCase{"AltF4", {{Qt::Key_F4, kAlt}}, mrCancel},
        KeyCase{"CtrlF4DoesNothing", {{Qt::Key_F4, kCtrl}, {Qt::Key_Return}}, mrOk},
        KeyCase{"LettersDoNothing", {{Qt::Key_O}, {Qt::Key_C}, {Qt::Key_Return}}, mrOk}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(ConfirmBox, OpensAsAFixedWarningWithOkFocusedAndDefault) {
    AskAndAnswer(kQuestion, [](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Warning"));
        EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
        const Qt::WindowFlags flags = box.windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(box.minimumSize(), box.size());
        EXPECT_EQ(box.maximumSize(), box.size());
        EXPECT_EQ(box.font(), QApplication::font("QMessageBox"));

        auto* ok = box.findChild<QPushButton*>(QStringLiteral("OK"));
        auto* cancel = box.findChild<QPushButton*>(QStringLiteral("Cancel"));
        ASSERT_TRUE(ok && cancel);
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
        EXPECT_EQ(QApplication::focusWidget(), ok);
        EXPECT_TRUE(ok->isDefault());
        EXPECT_FALSE(cancel->isDefault());
        PressKey(Qt::Key_Escape);
    });
}

TEST(ConfirmBox, ClickingAButtonAnswersItsNumber) {
    for (const auto& [name, answer] : {std::pair{"OK", mrOk}, std::pair{"Cancel", mrCancel}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(AskAndAnswer(kQuestion,
                               [name = name](QDialog& box) {
                                   auto* button = box.findChild<QPushButton*>(name);
                                   ASSERT_NE(button, nullptr);
                                   QTest::mouseClick(button, Qt::LeftButton);
                               }),
                  answer);
    }
}

TEST(ConfirmBox, ClosingTheWindowAnswersCancel) {
    EXPECT_EQ(AskAndAnswer(kQuestion, [](QDialog& box) { box.close(); }), mrCancel);
}

TEST(TMessageForm, ClosingWithoutAButtonLeavesCancelAsItsResult) {
    const std::pair<const char*, void (*)(QDialog&)> ways[] = {
        {"close", [](QDialog& box) { box.close(); }},
        {"Alt+F4", [](QDialog&) { PressKey(Qt::Key_F4, kAlt); }},
    };
    for (const auto& [name, closeBox] : ways) {
        SCOPED_TRACE(name);
        TMessageForm form(kQuestion);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        closeBox(form);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), mrCancel);
    }
}

TEST(ConfirmBox, CtrlCCopiesTheBoxAndKeepsItOpen) {
    const QString before = QStringLiteral("before");
    QGuiApplication::clipboard()->setText(before);
    const TModalResult answer = AskAndAnswer(kQuestion, [&](QDialog& box) {
        PressKey(Qt::Key_C, kCtrl | kShift);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), before) << "Ctrl+Shift+C copied";
        PressKey(Qt::Key_C, kCtrl);
        ASSERT_TRUE(box.isVisible());
        const QString rule(27, QLatin1Char('-'));
        const QStringList lines{rule, QStringLiteral("Warning"),        rule, kQuestion,
                                rule, QStringLiteral("OK   Cancel   "), rule};
        EXPECT_EQ(QGuiApplication::clipboard()->text(),
                  lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        PressKey(Qt::Key_Return);
    });
    EXPECT_EQ(answer, mrOk);
}

TEST(ConfirmBox, OtherWindowsWaitAndTheAskingWindowIsActiveAgain) {
    QWidget main;
    auto* other = new QPushButton(QStringLiteral("Other"), &main);
    other->setGeometry(10, 10, 80, 24);
    main.resize(200, 100);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    int clicks = 0;
    QObject::connect(other, &QPushButton::clicked, [&] { ++clicks; });
    const auto clickOther = [&] {
        QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, other->geometry().center());
    };

    AskAndAnswer(kQuestion, [&](QDialog&) {
        clickOther();
        EXPECT_EQ(clicks, 0) << "a window behind the box took a click";
        PressKey(Qt::Key_Return);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &main; }));
    clickOther();
    EXPECT_EQ(clicks, 1);
}

using ConfirmBoxDeathTest = testing::Test;

TEST_F(ConfirmBoxDeathTest, TerminatingTheApplicationAnswersCancel) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::pair<const char*, void (*)()> ways[] = {
        {"termination request",
         [] {
             QEvent quit(QEvent::Quit);
             QCoreApplication::sendEvent(qApp, &quit);
         }},
        {"exit", [] { QCoreApplication::exit(0); }},
    };
    for (const auto& [name, terminate] : ways) {
        SCOPED_TRACE(name);
        EXPECT_EXIT(
            {
                QTimer::singleShot(0, terminate);
                // Out at once: main's application object is never torn down in the child.
                std::_Exit(ShowConfirmBox(kQuestion));
            },
            testing::ExitedWithCode(mrCancel), "");
    }
}

} // namespace
} // namespace trevalo::test
