// Runs from a folder without the record engine beside it.
#include "platform/Exception.h"
#include "platform/TApplication.h"
#include "tracker/frmTrevaloProg.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace trevalo {
namespace {

TEST(StartWithoutEngine, TheMainWindowIsNotCreatedAndTheLoadErrorGoesToTheCaller) {
    auto& application = *static_cast<TApplication*>(QCoreApplication::instance());
    QString message;
    try {
        application.CreateForm(frmTrevaloMain);
    } catch (const Exception& error) {
        message = error.Message();
    }
    EXPECT_EQ(message, QStringLiteral("Error loading record engine library"));
    EXPECT_EQ(frmTrevaloMain, nullptr);
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
}

} // namespace
} // namespace trevalo
