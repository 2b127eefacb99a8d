// Files the program does not open: each is told in an error box that names the file and what
// is wrong with it, start-up ends with exit code 1 before any window, and the file stays as it
// was, byte for byte, with nothing new beside it.
#include "FileRights.h"
#include "tests/support/TrackerFixture.h"
#include "tracker/FightFile.h"
#include "tracker/FightJson.h"
#include "tracker/ProgramStart.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>

namespace trevalo {
namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

/// A fight file that the program writes: two combatants, one effect.
QJsonObject Good() {
    Fight fight;
    fight.Combatants = {{QStringLiteral("Ann"), 12, 2, true}, {std::nullopt, 9, 1, false}};
    fight.Effects = {{QStringLiteral("Haste"), 3}};
    return QJsonDocument::fromJson(FightToJson(fight)).object();
}

using Edit = std::function<void(QJsonObject&)>;

/// A good file with \p edit made to it.
std::function<void(const QString&)> Edited(Edit edit) {
    return [edit](const QString& path) {
        QJsonObject document = Good();
        edit(document);
        Write(path, QJsonDocument(document).toJson());
    };
}

/// A good file with \p key of its first row in \p table set to \p value.
std::function<void(const QString&)> RowValue(const char* table, const char* key, QJsonValue value) {
    return Edited([=](QJsonObject& document) {
        QJsonArray rows = document[QLatin1String(table)].toArray();
        QJsonObject row = rows[0].toObject();
        row[QLatin1String(key)] = value;
        rows[0] = row;
        document[QLatin1String(table)] = rows;
    });
}

std::function<void(const QString&)> Raw(QByteArray bytes) {
    return [bytes](const QString& path) { Write(path, bytes); };
}

/// Start-up as the program runs it on \p path, its error box answered, with no right to files
/// beyond what their permissions grant.
class StartOnAFile : public TrackerFixture {
protected:
    std::optional<int> StartOn(const QString& path) {
        AnswerBoxes({Qt::Key_Return});
        const test::FileRightsHold rights;
        return StartProgram(static_cast<TApplication&>(*QCoreApplication::instance()),
                            {QStringLiteral("trevalo"), path});
    }
};

struct BadFile {
    const char* label;
    std::function<void(const QString& path)> make;
    const char* reason; ///< what the box says after the file's name
};

class ABadFile : public StartOnAFile, public testing::WithParamInterface<BadFile> {};

TEST_P(ABadFile, IsToldWithItsNameAndLeftAsItWas) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fight.trevalo"));
    GetParam().make(path);
    const QByteArray before = Bytes(path);
    const QStringList files = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const qsizetype windows = QApplication::topLevelWidgets().size();
    TfrmTrevaloMain* const main = frmTrevaloMain;

    EXPECT_EQ(StartOn(path), 1);
    EXPECT_EQ(boxTitles_, QStringList({"Trevalo"}));
    EXPECT_EQ(boxTexts_.join(u'\n').toStdString(),
              TApplication::ErrorBoxText(QStringLiteral("Cannot open the fight file \"%1\": %2")
                                             .arg(path, QString::fromUtf8(GetParam().reason)))
                  .toStdString());
    EXPECT_EQ(frmTrevaloMain, main) << "no window was made";
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden), files);
}

INSTANTIATE_TEST_SUITE_P(
    FightFile, ABadFile,
    testing::Values(
        BadFile{"Unreadable",
                [](const QString& path) {
                    Write(path, FightToJson(Fight()));
                    QFile::setPermissions(path, QFile::WriteOwner);
                },
                "Permission denied"},
        BadFile{"AFolder", [](const QString& path) { QDir().mkdir(path); },
                "file to open is a directory"},
        BadFile{"Empty", Raw(""), "it is empty"},
        BadFile{"NotJson", Raw("trevalo\n"), "it is not JSON: illegal value (line 1, column 2)"},
        BadFile{"CutShort",
                [](const QString& path) { Write(path, FightToJson(Fight()).chopped(40)); },
                "it is not JSON: unterminated object (line 12, column 3)"},
        BadFile{"BadUtf8AfterAnAccent", Raw("{\"format\": \"é\xff\"}"),
                "it is not JSON: invalid UTF8 string (line 1, column 14)"},
        BadFile{"NotAnObject", Raw("[1, 2]"), "it is not a fight file: it holds no JSON object"},
        BadFile{"OtherFormat",
                Edited([](QJsonObject& d) { d[QStringLiteral("format")] = "shopping-list"; }),
                "it is not a fight file: its \"format\" is not \"trevalo-fight\""},
        BadFile{"NewerVersion", Edited([](QJsonObject& d) {
                    d[QStringLiteral("version")] = 2;
                    d.remove(QStringLiteral("turn"));
                }),
                "it was written by a newer Trevalo: its format version is 2, and this Trevalo "
                "reads version 1 at most"},
        BadFile{"NoVersion", Edited([](QJsonObject& d) { d.remove(QStringLiteral("version")); }),
                "\"version\" must be a whole number from 1 on"},
        BadFile{"MissingKey", Edited([](QJsonObject& d) { d.remove(QStringLiteral("effects")); }),
                "\"effects\" is missing"},
        BadFile{"UnknownKey", Edited([](QJsonObject& d) { d[QStringLiteral("mood")] = 1; }),
                "\"mood\" is not a key of a fight file"},
        BadFile{"TurnAsText", Edited([](QJsonObject& d) { d[QStringLiteral("turn")] = "2"; }),
                "\"turn\" must be a whole number from 1 to 1000000000"},
        BadFile{"PassZero", Edited([](QJsonObject& d) { d[QStringLiteral("pass")] = 0; }),
                "\"pass\" must be a whole number from 1 to 1000000000"},
        BadFile{"BoxAsNumber", Edited([](QJsonObject& d) { d[QStringLiteral("usePasses")] = 1; }),
                "\"usePasses\" must be true or false"},
        BadFile{"ShowingAllUnderAnUntickedBox",
                Edited([](QJsonObject& d) { d[QStringLiteral("showingAll")] = true; }),
                "\"showingAll\" can be true only while \"showAllEntries\" is"},
        BadFile{"CombatantsNotAList",
                Edited([](QJsonObject& d) { d[QStringLiteral("combatants")] = QJsonObject(); }),
                "\"combatants\" must be a list of combatants"},
        BadFile{"RowNotAnObject",
                Edited([](QJsonObject& d) { d[QStringLiteral("effects")] = QJsonArray{3}; }),
                "effect 1: it must be an object"},
        BadFile{"RowKeyMissing", Edited([](QJsonObject& d) {
                    QJsonArray rows = d[QStringLiteral("combatants")].toArray();
                    QJsonObject row = rows[1].toObject();
                    row.remove(QStringLiteral("passes"));
                    rows[1] = row;
                    d[QStringLiteral("combatants")] = rows;
                }),
                "combatant 2: \"passes\" is missing"},
        BadFile{"RowKeyUnknown", RowValue("effects", "colour", "red"),
                "effect 1: \"colour\" is not a key of an effect"},
        BadFile{"NameTooLong",
                RowValue("combatants", "name", QString::fromUcs4(U"\U0001F409").repeated(51)),
                "combatant 1: \"name\" is longer than 50 characters"},
        BadFile{"EffectTooLong", RowValue("effects", "name", QString(201, QLatin1Char('x'))),
                "effect 1: \"name\" is longer than 200 characters"},
        BadFile{"NameWithAZero", RowValue("combatants", "name", QStringView(u"A\0B", 3).toString()),
                "combatant 1: \"name\" holds a character that a text cannot hold"},
        BadFile{"NameWithALoneSurrogate", Raw(QByteArray(R"({"format": "trevalo-fight",
                "version": 1, "turn": 1, "pass": 1, "showAllEntries": false, "showingAll":
                false, "keepInitPerTurn": false, "usePasses": true, "effects": [],
                "combatants": [{"name": "\ud800", "init": 1, "passes": 1, "active": true}]})")),
                "combatant 1: \"name\" holds a character that a text cannot hold"},
        BadFile{"NameAsNumber", RowValue("combatants", "name", 7),
                "combatant 1: \"name\" must be a text or null"},
        BadFile{"InitBeyond32Bits", RowValue("combatants", "init", 2147483648.0),
                "combatant 1: \"init\" must be a whole number from -2147483648 to 2147483647 or "
                "null"},
        BadFile{"InitNotWhole", RowValue("combatants", "init", 1.5),
                "combatant 1: \"init\" must be a whole number from -2147483648 to 2147483647 or "
                "null"},
        BadFile{"EndTurnAsText", RowValue("effects", "endOnTurn", "3"),
                "effect 1: \"endOnTurn\" must be a whole number from -2147483648 to 2147483647 "
                "or null"},
        BadFile{"ActiveAsText", RowValue("combatants", "active", "yes"),
                "combatant 1: \"active\" must be true, false or null"},
        BadFile{"TooManyRows", Edited([](QJsonObject& d) {
                    QJsonArray rows;
                    const QJsonObject row{{QStringLiteral("name"), QJsonValue::Null},
                                          {QStringLiteral("init"), QJsonValue::Null},
                                          {QStringLiteral("passes"), QJsonValue::Null},
                                          {QStringLiteral("active"), QJsonValue::Null}};
                    for (int i = 0; i <= kMostFightRows; ++i)
                        rows.append(row);
                    d[QStringLiteral("combatants")] = rows;
                }),
                "it holds more than 100000 combatants"},
        BadFile{"TooLarge",
                [](const QString& path) {
                    QFile file(path);
                    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                    ASSERT_TRUE(file.resize(kLargestFightFile + 1));
                },
                "it is larger than 256 MiB, too large for a fight file"}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.label); });

struct UnfitPlace {
    const char* label;
    std::function<QString(const QString& folder)> place; ///< where the file would be made
    const char* reason;
};

class ANewFileThatCannotBeMade : public StartOnAFile,
                                 public testing::WithParamInterface<UnfitPlace> {};

TEST_P(ANewFileThatCannotBeMade, IsToldBeforeAnyWindowAndNothingIsMade) {
    QTemporaryDir folder;
    const QString path = GetParam().place(folder.path());
    TfrmTrevaloMain* const main = frmTrevaloMain;
    EXPECT_EQ(StartOn(path), 1);
    EXPECT_EQ(boxTexts_.join(u'\n').toStdString(),
              TApplication::ErrorBoxText(QStringLiteral("Cannot save the fight to \"%1\": %2")
                                             .arg(path, QString::fromUtf8(GetParam().reason)))
                  .toStdString());
    EXPECT_EQ(frmTrevaloMain, main);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    FightFile, ANewFileThatCannotBeMade,
    testing::Values(UnfitPlace{"ReadOnlyFolder",
                               [](const QString& folder) {
                                   QFile::setPermissions(folder,
                                                         QFile::ReadOwner | QFile::ExeOwner);
                                   return folder + QStringLiteral("/fight.trevalo");
                               },
                               "Permission denied"},
                    UnfitPlace{"NoFolder",
                               [](const QString& folder) {
                                   return folder + QStringLiteral("/gone/fight.trevalo");
                               },
                               "No such file or directory"}),
    [](const testing::TestParamInfo<UnfitPlace>& info) { return std::string(info.param.label); });

} // namespace
} // namespace trevalo
