// The running tracker's peak resident size: its two windows shown and painted, holding the
// fight given as combatants and effects (none by default), printed in KiB.
#include "bench/TrackerFight.h"
#include "platform/TApplication.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    trevalo::TApplication application(argc, argv);
    const int combatants = argc > 1 ? std::atoi(argv[1]) : 0;
    const int effects = argc > 2 ? std::atoi(argv[2]) : 0;
    const trevalo::bench::TrackerFight fight(combatants, effects);
    QApplication::processEvents();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // Linux gives KiB here.
    std::printf("peak resident, %d combatants and %d effects: %ld KiB\n", combatants, effects,
                usage.ru_maxrss);
    return 0;
}
