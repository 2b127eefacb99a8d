// The fight file's bytes: every fight the window can hold is written and read back the same,
// in the same bytes, and the reader takes any layout and key order of the same JSON.
#include "tracker/FightJson.h"

#include "RandomFight.h"
#include "tests/support/RandomRun.h"

#include <QFile>
#include <gtest/gtest.h>

namespace trevalo {
namespace {

TEST(FightJson, EveryFightComesBackInTheSameBytes) {
    const test::RandomRun run = test::RandomRunSettings("TREVALO_FIGHT_JSON", 300);
    std::mt19937 random(run.Seed);
    for (std::uint64_t i = 0; i < run.Steps; ++i) {
        const Fight fight = test::RandomFight(random, i % 50 == 49 ? 5000 : 20);
        const QByteArray json = FightToJson(fight);
        const Fight read = FightFromJson(json);
        ASSERT_EQ(read, fight) << "fight " << i;
        ASSERT_EQ(FightToJson(read), json) << "fight " << i;
    }
}

TEST(FightJson, AnyLayoutAndKeyOrderIsRead) {
    const QByteArray json = R"({"version":1,"format":"trevalo-fight","usePasses":false,
        "turn":4,"pass":2,"keepInitPerTurn":true,"showingAll":true,"showAllEntries":true,
        "effects":[{"endOnTurn":null,"name":"Fog"}],
        "combatants":[{"active":null,"passes":-1,"init":0,"name":""},
                      {"passes":null,"active":false,"name":"Zo\u00eb \ud83d\udc09","init":-7}]})";
    Fight expected;
    expected.Turn = 4;
    expected.Pass = 2;
    expected.KeepInit = true;
    expected.ShowAllEntries = true;
    expected.ShowingAll = true;
    expected.UsePasses = false;
    expected.Effects = {{QStringLiteral("Fog"), std::nullopt}};
    expected.Combatants = {{QString(QLatin1String("")), 0, -1, std::nullopt},
                           {QStringLiteral("Zoë 🐉"), -7, std::nullopt, false}};
    EXPECT_EQ(FightFromJson(json), expected);
}

TEST(FightJson, TheLongestTextsAndTheWidestNumbersAreTaken) {
    Fight fight;
    fight.Turn = kHighestFightCounter;
    fight.Pass = kHighestFightCounter;
    fight.Combatants = {
        {QString::fromUcs4(U"\U0001F409").repeated(50), -2147483647 - 1, 2147483647, true}};
    fight.Effects = {{QStringLiteral("é").repeated(200), 2147483647}};
    EXPECT_EQ(FightFromJson(FightToJson(fight)), fight);
}

TEST(FightJson, TheReferencesExampleIsAFileAsTheProgramWritesIt) {
    QFile reference(QStringLiteral(TREVALO_SOURCE_DIR "/docs/fight-file.md"));
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly));
    const QByteArray text = reference.readAll();
    const qsizetype start = text.indexOf("```json\n") + 8;
    const QByteArray example = text.mid(start, text.indexOf("```", start) - start);
    ASSERT_FALSE(example.isEmpty());
    EXPECT_EQ(FightToJson(FightFromJson(example)).toStdString(), example.toStdString());
}

} // namespace
} // namespace trevalo
