// Time from process start to the main window's first paint: the tracker beside a bare window.
#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

void StartUntilFirstPaint(benchmark::State& state, const char* which) {
    const QString probe = QCoreApplication::applicationDirPath() + "/trevalo_startup_probe";
    for (auto _ : state) {
        QProcess process;
        process.start(probe, {QString::fromLatin1(which)});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the probe did not paint");
            return;
        }
    }
}

BENCHMARK_CAPTURE(StartUntilFirstPaint, bare_window, "bare")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartUntilFirstPaint, tracker, "tracker")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
