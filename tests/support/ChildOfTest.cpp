// A missing part fails the test with its name and stops it where it was asked for.
#include "tests/support/ChildOf.h"

#include "platform/Failures.h"

#include <gtest/gtest-spi.h>

namespace trevalo::test {
namespace {

TEST(ChildOf, FindsANamedChildAtAnyDepthOfItsType) {
    QObject form;
    QObject panel(&form);
    QObject button(&panel);
    button.setObjectName(QStringLiteral("OK"));
    EXPECT_EQ(&ChildOf<QObject>(form, QStringLiteral("OK")), &button);
    EXPECT_EQ(&ChildOf<QObject>(panel), &button) << "no name: the first of the type";
}

TEST(ChildOf, AMissingChildFailsWithItsNameAndStopsTheTest) {
    QObject form;
    form.setObjectName(QStringLiteral("frm"));
    QObject ok(&form);
    ok.setObjectName(QStringLiteral("OK"));
    bool stopped = false;
    bool wentOn = false;
    EXPECT_NONFATAL_FAILURE(
        {
            try {
                ChildOf<QObject>(form, QStringLiteral("Cancel"));
                wentOn = true;
            } catch (const TestStopped&) {
                stopped = true;
            }
        },
        "no QObject named \"Cancel\" in \"frm\"");
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(wentOn);
}

TEST(ChildOf, TheStopPassesThroughTheProgramsOwnCatchAll) {
    QObject form;
    EXPECT_NONFATAL_FAILURE(
        EXPECT_THROW(Guard([&] { ChildOf<QObject>(form, QStringLiteral("Cancel")); }), TestStopped),
        "no QObject named \"Cancel\"");
}

} // namespace
} // namespace trevalo::test
