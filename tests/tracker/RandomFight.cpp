#include "RandomFight.h"

#include <array>
#include <limits>
#include <ostream>

namespace trevalo {

namespace {

template <class T> void Print(std::ostream& out, const std::optional<T>& value) {
    if (!value)
        out << "null";
    else if constexpr (std::is_same_v<T, QString>)
        out << '"' << value->toStdString() << '"';
    else
        out << *value;
}

} // namespace

void PrintTo(const Fight& fight, std::ostream* out) {
    *out << "turn " << fight.Turn << " pass " << fight.Pass << " showAll " << fight.ShowAllEntries
         << " showingAll " << fight.ShowingAll << " keepInit " << fight.KeepInit << " usePasses "
         << fight.UsePasses << "; combatants:";
    for (const FightCombatant& row : fight.Combatants) {
        *out << " (";
        Print(*out, row.Name);
        *out << ' ';
        Print(*out, row.Init);
        *out << ' ';
        Print(*out, row.Passes);
        *out << ' ';
        Print(*out, row.Active);
        *out << ')';
    }
    *out << "; effects:";
    for (const FightEffect& row : fight.Effects) {
        *out << " (";
        Print(*out, row.EffectName);
        *out << ' ';
        Print(*out, row.EndOnTurn);
        *out << ')';
    }
}

} // namespace trevalo

namespace trevalo::test {

namespace {

int Draw(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

/// Up to \p longest code points, some of them two UTF-16 units long.
std::optional<QString> RandomText(std::mt19937& random, int longest) {
    static const std::array<QString, 8> pieces = {
        QStringLiteral("a"), QStringLiteral("Z"),
        QStringLiteral(" "), QStringLiteral("é"),
        QStringLiteral("Ø"), QStringLiteral("\""),
        QStringLiteral("ß"), QString::fromUcs4(U"\U0001F409", 1)};
    switch (Draw(random, 0, 5)) {
    case 0:
        return std::nullopt;
    case 1:
        return QString(QLatin1String(""));
    default:
        break;
    }
    const int length = Draw(random, 0, 3) == 0 ? longest : Draw(random, 1, 12);
    QString text;
    for (int i = 0; i < length; ++i)
        text += pieces[static_cast<std::size_t>(Draw(random, 0, pieces.size() - 1))];
    return text;
}

std::optional<std::int32_t> RandomNumber(std::mt19937& random, int low, int high) {
    switch (Draw(random, 0, 9)) {
    case 0:
        return std::nullopt;
    case 1:
        return std::numeric_limits<std::int32_t>::min();
    case 2:
        return std::numeric_limits<std::int32_t>::max();
    default:
        return Draw(random, low, high);
    }
}

} // namespace

Fight RandomFight(std::mt19937& random, int most) {
    Fight fight;
    fight.Combatants.resize(static_cast<std::size_t>(Draw(random, 0, most)));
    for (FightCombatant& combatant : fight.Combatants) {
        combatant.Name = RandomText(random, 50);
        // A narrow range, so that initiatives tie often.
        combatant.Init = RandomNumber(random, -3, 6);
        combatant.Passes = RandomNumber(random, -1, 4);
        const int active = Draw(random, 0, 6);
        combatant.Active = active == 0 ? std::nullopt : std::optional<bool>(active > 2);
    }
    fight.Effects.resize(static_cast<std::size_t>(Draw(random, 0, most)));
    for (FightEffect& effect : fight.Effects) {
        effect.EffectName = RandomText(random, 200);
        effect.EndOnTurn = RandomNumber(random, -2, 12);
    }
    fight.Turn = Draw(random, 0, 3) == 0 ? Draw(random, 1, 1000000000) : Draw(random, 1, 9);
    fight.Pass = Draw(random, 1, 5);
    fight.ShowAllEntries = Draw(random, 0, 1) == 1;
    fight.ShowingAll = fight.ShowAllEntries && Draw(random, 0, 2) > 0;
    fight.KeepInit = Draw(random, 0, 1) == 1;
    fight.UsePasses = Draw(random, 0, 2) > 0;
    return fight;
}

} // namespace trevalo::test
