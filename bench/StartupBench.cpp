// Time from process start to the main window's first paint: the program beside a bare window.
// The clock stops when the probe says that it has painted; its closing down is not timed.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

void StartupToFirstPaint(benchmark::State& state, const char* which) {
    const QString probe = QCoreApplication::applicationDirPath() + "/trevalo_startup_probe";
    for (auto _ : state) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(probe, {QString::fromLatin1(which)});
        const bool painted = process.waitForReadyRead(30000);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (!painted || !process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the probe did not paint");
            return;
        }
    }
}

BENCHMARK_CAPTURE(StartupToFirstPaint, bare_window, "bare")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartupToFirstPaint, tracker, "tracker")
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
