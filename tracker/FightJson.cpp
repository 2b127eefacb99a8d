#include "tracker/FightJson.h"

#include "platform/Exception.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>
#include <limits>

namespace trevalo {

namespace {

const QString kFormatName = QStringLiteral("trevalo-fight");
constexpr int kLongestName = 50;
constexpr int kLongestEffectName = 200;
constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();

QJsonValue ToJson(const std::optional<QString>& text) {
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

QJsonValue ToJson(std::optional<std::int32_t> number) {
    return number ? QJsonValue(*number) : QJsonValue(QJsonValue::Null);
}

QJsonValue ToJson(std::optional<bool> flag) {
    return flag ? QJsonValue(*flag) : QJsonValue(QJsonValue::Null);
}

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

/// "line 3, column 14" for the byte at \p offset, counting characters, not bytes.
QString PlaceOf(const QByteArray& json, qsizetype offset) {
    offset = std::clamp<qsizetype>(offset, 0, json.size());
    const QByteArrayView before(json.constData(), offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    qsizetype column = 1;
    for (qsizetype at = lineStart; at < offset; ++at)
        if ((static_cast<unsigned char>(json[at]) & 0xC0) != 0x80)
            ++column;
    return QStringLiteral("line %1, column %2").arg(before.count('\n') + 1).arg(column);
}

/// The keys of one JSON object, read one by one; what is wrong with any of them is thrown with
/// the object's place in front: "combatant 3: ".
class ObjectReader {
public:
    ObjectReader(const QJsonObject& object, QString place, const QString& kind,
                 std::initializer_list<const char*> keys)
        : object_(object)
        , place_(std::move(place)) {
        QSet<QString> known;
        for (const char* key : keys)
            known.insert(QLatin1String(key));
        for (auto key = object.begin(); key != object.end(); ++key)
            if (!known.contains(key.key()))
                Fail(Quoted(key.key()) + QStringLiteral(" is not a key of ") + kind);
    }

    QJsonValue Take(const char* key) const {
        const auto found = object_.constFind(QLatin1String(key));
        if (found == object_.constEnd())
            Fail(Quoted(QLatin1String(key)) + QStringLiteral(" is missing"));
        return *found;
    }

    bool Flag(const char* key) const {
        const QJsonValue value = Take(key);
        if (!value.isBool())
            Fail(Quoted(QLatin1String(key)) + QStringLiteral(" must be true or false"));
        return value.toBool();
    }

    std::optional<bool> OptionalFlag(const char* key) const {
        const QJsonValue value = Take(key);
        if (value.isNull())
            return std::nullopt;
        if (!value.isBool())
            Fail(Quoted(QLatin1String(key)) + QStringLiteral(" must be true, false or null"));
        return value.toBool();
    }

    /// \p orNull goes at the end of the message for a value that may also be null.
    std::int32_t Number(const char* key, std::int32_t lowest, std::int32_t highest,
                        const QString& orNull = QString()) const {
        const QJsonValue value = Take(key);
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::floor(number) || number < lowest ||
            number > highest)
            Fail(Quoted(QLatin1String(key)) +
                 QStringLiteral(" must be a whole number from %1 to %2").arg(lowest).arg(highest) +
                 orNull);
        return static_cast<std::int32_t>(number);
    }

    std::optional<std::int32_t> OptionalNumber(const char* key) const {
        if (Take(key).isNull())
            return std::nullopt;
        return Number(key, kLowest, kHighest, QStringLiteral(" or null"));
    }

    std::optional<QString> OptionalText(const char* key, int longest) const {
        const QJsonValue value = Take(key);
        if (value.isNull())
            return std::nullopt;
        const QString name = Quoted(QLatin1String(key));
        if (!value.isString())
            Fail(name + QStringLiteral(" must be a text or null"));
        const QString text = value.toString();
        // The records hold UTF-8 up to a zero: a lone surrogate or a zero would not come back.
        if (!text.isValidUtf16() || text.contains(QChar::Null))
            Fail(name + QStringLiteral(" holds a character that a text cannot hold"));
        const auto surrogates = std::count_if(text.cbegin(), text.cend(),
                                              [](QChar unit) { return unit.isHighSurrogate(); });
        if (text.size() - surrogates > longest)
            Fail(name + QStringLiteral(" is longer than %1 characters").arg(longest));
        return text;
    }

    QJsonArray Rows(const char* key, const QString& rows) const {
        const QJsonValue value = Take(key);
        if (!value.isArray())
            Fail(Quoted(QLatin1String(key)) + QStringLiteral(" must be a list of ") + rows);
        const QJsonArray array = value.toArray();
        if (array.size() > kMostFightRows)
            Fail(QStringLiteral("it holds more than %1 %2").arg(kMostFightRows).arg(rows));
        return array;
    }

    [[noreturn]] void Fail(const QString& what) const { throw Exception(place_ + what); }

private:
    const QJsonObject& object_;
    QString place_;
};

/// Row \p index of \p rows as an object, with the place its messages name.
ObjectReader RowReader(const QJsonArray& rows, qsizetype index, const QString& kind,
                       const QString& article, std::initializer_list<const char*> keys,
                       QJsonObject& object) {
    const QString place = QStringLiteral("%1 %2: ").arg(kind).arg(index + 1);
    const QJsonValue row = rows[index];
    if (!row.isObject())
        throw Exception(place + QStringLiteral("it must be an object"));
    object = row.toObject();
    return ObjectReader(object, place, article + QLatin1Char(' ') + kind, keys);
}

void ReadCombatants(const QJsonArray& rows, Fight& fight) {
    fight.Combatants.reserve(static_cast<std::size_t>(rows.size()));
    for (qsizetype index = 0; index < rows.size(); ++index) {
        QJsonObject object;
        const ObjectReader row =
            RowReader(rows, index, QStringLiteral("combatant"), QStringLiteral("a"),
                      {"name", "init", "passes", "active"}, object);
        fight.Combatants.push_back({row.OptionalText("name", kLongestName),
                                    row.OptionalNumber("init"), row.OptionalNumber("passes"),
                                    row.OptionalFlag("active")});
    }
}

void ReadEffects(const QJsonArray& rows, Fight& fight) {
    fight.Effects.reserve(static_cast<std::size_t>(rows.size()));
    for (qsizetype index = 0; index < rows.size(); ++index) {
        QJsonObject object;
        const ObjectReader row = RowReader(rows, index, QStringLiteral("effect"),
                                           QStringLiteral("an"), {"name", "endOnTurn"}, object);
        fight.Effects.push_back(
            {row.OptionalText("name", kLongestEffectName), row.OptionalNumber("endOnTurn")});
    }
}

/// Names and version first: a file of another kind or of a newer version is told as such,
/// whatever else it holds.
void CheckFormat(const QJsonObject& object) {
    const auto format = object.constFind(QLatin1String("format"));
    if (format == object.constEnd() || format->toString() != kFormatName)
        throw Exception(QStringLiteral("it is not a fight file: its \"format\" is not ") +
                        Quoted(kFormatName));
    const auto version = object.constFind(QLatin1String("version"));
    const double number = version == object.constEnd() ? 0 : version->toDouble();
    if (number != std::floor(number) || number < 1)
        throw Exception(QStringLiteral("\"version\" must be a whole number from 1 on"));
    if (number > kFightFormatVersion)
        throw Exception(QStringLiteral("it was written by a newer Trevalo: its format version is "
                                       "%1, and this Trevalo reads version %2 at most")
                            .arg(number, 0, 'g', 12)
                            .arg(kFightFormatVersion));
}

} // namespace

QByteArray FightToJson(const Fight& fight) {
    QJsonArray combatants;
    for (const FightCombatant& row : fight.Combatants)
        combatants.append(QJsonObject{{QStringLiteral("name"), ToJson(row.Name)},
                                      {QStringLiteral("init"), ToJson(row.Init)},
                                      {QStringLiteral("passes"), ToJson(row.Passes)},
                                      {QStringLiteral("active"), ToJson(row.Active)}});
    QJsonArray effects;
    for (const FightEffect& row : fight.Effects)
        effects.append(QJsonObject{{QStringLiteral("name"), ToJson(row.EffectName)},
                                   {QStringLiteral("endOnTurn"), ToJson(row.EndOnTurn)}});
    const QJsonObject document{
        {QStringLiteral("format"), kFormatName},
        {QStringLiteral("version"), kFightFormatVersion},
        {QStringLiteral("turn"), fight.Turn},
        {QStringLiteral("pass"), fight.Pass},
        {QStringLiteral("showAllEntries"), fight.ShowAllEntries},
        {QStringLiteral("showingAll"), fight.ShowingAll},
        {QStringLiteral("keepInitPerTurn"), fight.KeepInit},
        {QStringLiteral("usePasses"), fight.UsePasses},
        {QStringLiteral("combatants"), combatants},
        {QStringLiteral("effects"), effects},
    };
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

Fight FightFromJson(const QByteArray& json) {
    if (json.isEmpty())
        throw Exception(QStringLiteral("it is empty"));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw Exception(QStringLiteral("it is not JSON: %1 (%2)")
                            .arg(error.errorString(), PlaceOf(json, error.offset)));
    if (!document.isObject())
        throw Exception(QStringLiteral("it is not a fight file: it holds no JSON object"));
    const QJsonObject object = document.object();
    CheckFormat(object);
    const ObjectReader reader(object, QString(), QStringLiteral("a fight file"),
                              {"format", "version", "turn", "pass", "showAllEntries", "showingAll",
                               "keepInitPerTurn", "usePasses", "combatants", "effects"});
    Fight fight;
    fight.Turn = reader.Number("turn", 1, kHighestFightCounter);
    fight.Pass = reader.Number("pass", 1, kHighestFightCounter);
    fight.ShowAllEntries = reader.Flag("showAllEntries");
    fight.ShowingAll = reader.Flag("showingAll");
    if (fight.ShowingAll && !fight.ShowAllEntries)
        reader.Fail(QStringLiteral("\"showingAll\" can be true only while \"showAllEntries\" is"));
    fight.KeepInit = reader.Flag("keepInitPerTurn");
    fight.UsePasses = reader.Flag("usePasses");
    ReadCombatants(reader.Rows("combatants", QStringLiteral("combatants")), fight);
    ReadEffects(reader.Rows("effects", QStringLiteral("effects")), fight);
    return fight;
}

} // namespace trevalo
