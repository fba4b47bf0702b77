#include "online/core/storemerge.h"

#include "online/core/storechanges.h"
#include "season/core/inifile.h"
#include "season/core/matchrecord.h"

#include <QStringList>

namespace storemerge {

namespace {

namespace texts {
const QString Fixture = QStringLiteral("J%1 %2 - %3");
const QString UnknownFixture = QStringLiteral("Match %1");
const QString Adjustment = QStringLiteral("Ajustement de points : %1");
const QString OtherKey = QStringLiteral("[%1] %2");
// A side that holds nothing for the key: never there, or gone.
const QString Absent = QStringLiteral("(absent)");
} // namespace texts

const QString ResultsSection = QStringLiteral("resultats");
const QString AdjustmentsSection = QStringLiteral("bonmal");
// What the sender publishes as it stands in its own store.
const QStringList SenderSections = {QStringLiteral("maj"), QStringLiteral("texte"), QStringLiteral("cv")};

QString folded(const QString &name)
{
    return name.toLower();
}

QString idOf(const QString &section, const QString &key)
{
    return folded(section) + QLatin1Char('/') + folded(key);
}

// One key as a store holds it.
struct Value
{
    QString section;
    QString key;
    QString text;
};
using Values = QHash<QString, Value>;

// The keys of a store by id, and their ids in file order.
Values valuesOf(const QByteArray &bytes, QStringList *order = nullptr)
{
    Values values;
    for (IniFile::Entry &entry : IniFile::entriesFrom(bytes)) {
        const QString id = idOf(entry.section, entry.key);
        if (order)
            order->append(id);
        values.insert(id, {std::move(entry.section), std::move(entry.key), std::move(entry.value)});
    }
    return values;
}

bool isResults(const QString &section)
{
    return section.compare(ResultsSection, Qt::CaseInsensitive) == 0;
}

// A record as the program writes it: eight fields, a home team, no blank.
bool isPlainRecord(const QString &text)
{
    if (text.startsWith(QLatin1Char('|')) || text.count(QLatin1Char('|')) != 7)
        return false;
    for (QChar c : text) {
        if (c.isSpace())
            return false;
    }
    return true;
}

// What a reader makes of a value: nothing for a result without its home
// team or an empty value; a result with its fields trimmed.
std::optional<QString> meaning(const QString &section, const std::optional<QString> &text)
{
    if (!text || text->trimmed().isEmpty())
        return std::nullopt;
    if (!isResults(section))
        return text->trimmed();
    if (isPlainRecord(*text))
        return *text;
    MatchRecord record = MatchRecord::fromText(*text);
    if (record.isEmpty())
        return std::nullopt;
    for (QString &field : record.fields)
        field = field.trimmed();
    return record.toText();
}

std::optional<QString> textOf(const Values &values, const QString &id)
{
    const auto found = values.constFind(id);
    return found == values.cend() ? std::nullopt : std::optional<QString>(found->text);
}

// What to write for "nothing": the value every reader takes for no entry.
QString storedText(const QString &section, const std::optional<QString> &text)
{
    if (text)
        return *text;
    return isResults(section) ? MatchRecord::EmptyText : QString();
}

std::optional<Side> decisionFor(const Conflict &conflict, const Choices &choices)
{
    if (choices.forAll)
        return choices.forAll;
    const auto found = choices.perConflict.constFind(conflict.id());
    if (found == choices.perConflict.cend())
        return std::nullopt;
    if (meaning(conflict.section, found->theirsSeen) != meaning(conflict.section, conflict.theirs))
        return std::nullopt;
    return found->side;
}

} // namespace

QHash<QString, QString> results(const QByteArray &store)
{
    QHash<QString, QString> found;
    for (const IniFile::Entry &entry : IniFile::entriesFrom(store)) {
        if (!isResults(entry.section))
            continue;
        if (const std::optional<QString> result = meaning(entry.section, entry.value))
            found.insert(entry.key, *result);
    }
    return found;
}

QString Conflict::id() const
{
    return idOf(section, key);
}

Result merge(const QByteArray &base, const QByteArray &mine, const QByteArray &theirs, const Choices &choices)
{
    Result result;
    // A server without a store has nothing to merge with, and its missing
    // store deletes nothing: mine goes as it is.
    if (theirs.isEmpty()) {
        result.bytes = mine;
        return result;
    }

    QStringList order;
    const Values theirValues = valuesOf(theirs, &order);
    const Values myValues = valuesOf(mine, &order);
    const Values baseValues = valuesOf(base, &order);
    order.removeDuplicates();

    QList<IniFile::Entry> writes;
    for (const QString &id : std::as_const(order)) {
        const Value any = theirValues.contains(id) ? theirValues.value(id)
                          : myValues.contains(id)  ? myValues.value(id)
                                                   : baseValues.value(id);
        const std::optional<QString> t = textOf(theirValues, id);
        const std::optional<QString> m = textOf(myValues, id);
        if (!isResults(any.section) && SenderSections.contains(folded(any.section))) {
            // An entry the sender lacks stays as published.
            const std::optional<QString> chosen = m ? m : t;
            if (chosen != t)
                writes.append({any.section, any.key, storedText(any.section, chosen)});
            continue;
        }
        const auto tm = meaning(any.section, t);
        const auto mm = meaning(any.section, m);
        const auto bm = meaning(any.section, textOf(baseValues, id));
        // A volunteer removes a result with "-" in both scores, never by
        // leaving its key out: a value that vanished from one side while the
        // other kept it as it was (an older store uploaded over the
        // published one, a folder restored from a backup) is not a deletion
        // to copy but a conflict to decide.
        bool fromMine = false;
        bool conflicting = false;
        if (tm == mm) {
            fromMine = false;
        } else if (mm == bm) {
            conflicting = !tm;
        } else if (tm == bm) {
            fromMine = true;
            conflicting = !mm;
        } else {
            conflicting = true;
        }
        if (conflicting) {
            const Conflict conflict{any.section, any.key, t, m};
            result.conflicts.append(conflict);
            const std::optional<Side> side = decisionFor(conflict, choices);
            if (!side) {
                result.undecided.append(conflict);
                continue;
            }
            fromMine = *side == Side::Mine;
        }
        const auto &chosenMeaning = fromMine ? mm : tm;
        if (isResults(any.section) && chosenMeaning != mm)
            ++result.resultsFromOthers;
        if (chosenMeaning != tm)
            writes.append({any.section, any.key, storedText(any.section, fromMine ? m : t)});
    }
    if (result.isComplete())
        result.bytes = IniFile::writeTo(theirs, writes);
    return result;
}

ConflictText describe(const Season &season, const Conflict &conflict)
{
    const QString section = folded(conflict.section);
    if (section == ResultsSection) {
        const auto result = [](const std::optional<QString> &text) {
            const MatchRecord record = MatchRecord::fromText(text.value_or(QString()));
            if (!storechanges::isPlayed(record))
                return record.isEmpty() ? texts::Absent : storechanges::scoreText(record);
            const QString cards = storechanges::cardsText(record);
            return storechanges::scoreText(record) + (cards.isEmpty() ? QString() : QStringLiteral(", ") + cards);
        };
        bool dayOk = false;
        bool indexOk = false;
        const MatchDayNo day = conflict.key.left(2).toInt(&dayOk);
        const int index = conflict.key.mid(2).toInt(&indexOk);
        const QStringList codes = dayOk ? season.fixtureCodes(day) : QStringList();
        QString what = texts::UnknownFixture.arg(conflict.key);
        if (conflict.key.size() == 4 && dayOk && indexOk && index >= 0 && index < codes.size()
            && codes[index].size() == 2) {
            what = texts::Fixture.arg(day).arg(season.teamNameOfLetter(codes[index].at(0)),
                                               season.teamNameOfLetter(codes[index].at(1)));
        }
        return {what, result(conflict.theirs), result(conflict.mine)};
    }
    const auto plain = [](const std::optional<QString> &text) {
        return text && !text->trimmed().isEmpty() ? *text : texts::Absent;
    };
    if (section == AdjustmentsSection && conflict.key.size() == 1) {
        const QString team = season.teamNameOfLetter(conflict.key.at(0).toUpper());
        if (!team.isEmpty())
            return {texts::Adjustment.arg(team), plain(conflict.theirs), plain(conflict.mine)};
    }
    return {texts::OtherKey.arg(conflict.section, conflict.key), plain(conflict.theirs), plain(conflict.mine)};
}

} // namespace storemerge
