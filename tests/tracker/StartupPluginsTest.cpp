// Runs alone in its process, so that nothing before the start-up has loaded a plugin.
#include "platform/TApplication.h"
#include "tracker/ProgramStart.h"
#include "tracker/frmTrevaloProg.h"

#include <QApplication>
#include <QStringList>
#include <gtest/gtest.h>
#include <link.h>

namespace trevalo {
namespace {

QStringList LoadedImagePlugins() {
    QStringList found;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            const QString name = QString::fromLocal8Bit(info->dlpi_name);
            if (name.contains(QLatin1String("/imageformats/")))
                static_cast<QStringList*>(data)->append(name);
            return 0;
        },
        &found);
    return found;
}

TEST(StartUp, ShowsTheMainWindowWithoutLoadingAnImagePlugin) {
    ASSERT_EQ(StartProgram(*static_cast<TApplication*>(QCoreApplication::instance()),
                           {QStringLiteral("trevalo")}),
              std::nullopt);
    frmTrevaloMain->show();
    EXPECT_FALSE(frmTrevaloMain->grab().isNull());
    const QStringList loaded = LoadedImagePlugins();
    EXPECT_TRUE(loaded.isEmpty()) << loaded.join(QLatin1String(", ")).toStdString();
    // Reading a picture by its content is what loads them, so the check itself can fail.
    EXPECT_FALSE(QImage(QStringLiteral(":/tracker/DoneGlyph.png")).isNull());
    EXPECT_FALSE(LoadedImagePlugins().isEmpty());
}

} // namespace
} // namespace trevalo
