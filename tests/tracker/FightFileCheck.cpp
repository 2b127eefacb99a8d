// Reads a fight file as the program does and tells what it holds, for the shell tests: exit 0
// with "turn pass combatants effects", or 1 with the reader's message.
#include "platform/Exception.h"
#include "tracker/FightFile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    try {
        const trevalo::Fight fight = trevalo::ReadFightFile(QString::fromLocal8Bit(argv[1]));
        std::printf("%d %d %zu %zu\n", fight.Turn, fight.Pass, fight.Combatants.size(),
                    fight.Effects.size());
        return 0;
    } catch (const trevalo::Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
