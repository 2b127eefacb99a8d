#include "tracker/CommandLine.h"

#include "platform/TApplication.h"

#include <QCommandLineParser>
#include <cstdio>

namespace trevalo {

namespace {

// As the README's keyboard table.
constexpr const char* kKeys =
    "Keys:\n"
    "  F1              Help\n"
    "  Ctrl+T          New Turn\n"
    "  Ctrl+P          New Init Pass (while \"Use Passes (SR4)\" is ticked)\n"
    "  Ctrl+Q          Close\n"
    "  Ctrl+Z          Undo: takes the last change to the fight back (in a cell being typed "
    "into: the typing)\n"
    "  Ctrl+Shift+Z, Ctrl+Y  Redo: does the change taken back last again\n"
    "  F6, Shift+F6    the focus to the next or previous area: combatants, check boxes, "
    "effects\n"
    "  Insert, Ctrl+N  a new row in the grid (screen readers keep Insert for themselves; "
    "Ctrl+N they leave alone)\n"
    "  Space           presses the focused Done or Delete cell (as Enter, then Ctrl+Enter)\n"
    "  Esc             closes the help window\n";

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

CommandLine ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tracks the combatants, initiative passes, turns and running effects of a "
                       "fight at the gaming table."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and quits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and quits."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("The fight file: the fight kept in it is opened, and every change is "
                       "saved to it. A file that does not exist yet is made, with a new fight."),
        QStringLiteral("[file]"));

    const bool understood = parser.parse(arguments);
    if (understood && parser.isSet(help)) {
        Print(stdout, parser.helpText() + QLatin1Char('\n') + QLatin1String(kKeys));
        return {0, {}};
    }
    if (understood && parser.isSet(version)) {
        Print(stdout, QLatin1String(TApplication::kTitle) + QLatin1Char(' ') +
                          QStringLiteral(TREVALO_VERSION) + QLatin1Char('\n'));
        return {0, {}};
    }
    QString mistake = understood ? QString() : parser.errorText();
    const QStringList files = parser.positionalArguments();
    if (understood && files.size() > 1)
        mistake = QStringLiteral("Only one fight file can be opened.");
    if (understood && files.size() == 1 && files[0].isEmpty())
        mistake = QStringLiteral("The fight file's name is empty.");
    if (!mistake.isEmpty()) {
        Print(stderr, mistake + QStringLiteral("\n\n") + parser.helpText());
        return {2, {}};
    }
    return {std::nullopt, files.value(0)};
}

} // namespace trevalo
