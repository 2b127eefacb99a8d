// Time from process start to the main window's first paint: the program beside a bare window,
// and the program opening a fight file of 10,000 combatants. The clock stops when the probe says
// that it has painted; its closing down is not timed.
#include "tracker/FightJson.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

/// A fight file of \p count combatants with names of every length, ties and a few effects.
QString FightFileOf(const QTemporaryDir& folder, int count) {
    trevalo::Fight fight;
    for (int i = 0; i < count; ++i)
        fight.Combatants.push_back({QStringLiteral("Combatant %1").arg(i).leftJustified(i % 50),
                                    (i * 7919) % 30 + 1, 1 + i % 4, i % 5 != 0});
    for (int i = 0; i < 20; ++i)
        fight.Effects.push_back({QStringLiteral("Effect %1").arg(i), i + 2});
    const QString path = folder.filePath(QStringLiteral("fight.trevalo"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(trevalo::FightToJson(fight)) < 0)
        return QString();
    return path;
}

void StartupToFirstPaint(benchmark::State& state, const char* which, int combatants) {
    const QString probe = QCoreApplication::applicationDirPath() + "/trevalo_startup_probe";
    const QTemporaryDir folder;
    QStringList arguments{QString::fromLatin1(which)};
    if (combatants > 0)
        arguments.append(FightFileOf(folder, combatants));
    for (auto _ : state) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(probe, arguments);
        const bool painted = process.waitForReadyRead(30000);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (!painted || !process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the probe did not paint");
            return;
        }
    }
}

BENCHMARK_CAPTURE(StartupToFirstPaint, bare_window, "bare", 0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartupToFirstPaint, tracker, "tracker", 0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartupToFirstPaint, tracker_with_10000_combatants_file, "tracker", 10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
