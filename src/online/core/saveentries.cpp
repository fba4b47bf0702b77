#include "online/core/saveentries.h"

#include "online/core/publishedcopy.h"
#include "online/core/stamp.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QFileInfo>

namespace saveentries {

namespace {

QString storable(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char('|') && c.category() != QChar::Other_Control)
            clean += c;
    }
    return clean;
}

// A box as the grid shows it: trimmed, and a stored "-" (a score not known)
// shows empty.
QString shown(const MatchRecord &record, MatchRecord::Field field)
{
    const QString text = record[field].trimmed();
    const bool goals = field == MatchRecord::HomeGoals || field == MatchRecord::AwayGoals;
    return goals && text == QLatin1String("-") ? QString() : text;
}

bool showsTheSame(const MatchRecord &typed, const MatchRecord &stored)
{
    for (int f = MatchRecord::HomeRed; f <= MatchRecord::AwayRed; ++f) {
        if (shown(typed, MatchRecord::Field(f)) != shown(stored, MatchRecord::Field(f)))
            return false;
    }
    return true;
}

QString reasonText(Refusal::Reason reason)
{
    switch (reason) {
    case Refusal::AwayScoreOnly:
        return QStringLiteral("score de l'équipe à l'extérieur sans score de l'équipe à domicile");
    case Refusal::CardsOnly:
        return QStringLiteral("cartons sans score de l'équipe à domicile");
    case Refusal::ResultCleared:
        return QStringLiteral("scores effacés ; pour un match non joué, tapez \"-\" dans les deux scores");
    }
    return QString();
}

QString teamOf(const Season &season, const QString &letter)
{
    return letter.size() == 1 ? season.teamNameOfLetter(letter.at(0)) : letter;
}

} // namespace

QList<Refusal> refusals(const ResultStore &store, const QList<TypedRow> &rows)
{
    QList<Refusal> refused;
    for (const auto &[key, record] : rows) {
        if (key.isEmpty() || !record[MatchRecord::HomeGoals].isEmpty())
            continue;
        if (showsTheSame(record, store.match(key)))
            continue;
        Refusal refusal{key, record, Refusal::ResultCleared};
        if (!record[MatchRecord::AwayGoals].trimmed().isEmpty())
            refusal.reason = Refusal::AwayScoreOnly;
        else if (!showsTheSame(record, MatchRecord()))
            refusal.reason = Refusal::CardsOnly;
        refused.append(refusal);
    }
    return refused;
}

QString refusedText(const Season &season, const QList<Refusal> &refused)
{
    QStringList lines{QStringLiteral("Ces lignes n'ont pas été enregistrées :")};
    for (const Refusal &row : refused) {
        const QString home = teamOf(season, row.typed[MatchRecord::HomeLetter]);
        const QString away = teamOf(season, row.typed[MatchRecord::AwayLetter]);
        lines << QStringLiteral("Journée %1, %2 - %3 : %4")
                     .arg(row.key.left(2).toInt())
                     .arg(home, away, reasonText(row.reason));
    }
    lines << QStringLiteral("Leurs cases restent telles que vous les avez tapées : complétez-les puis appuyez de "
                            "nouveau sur \"Valider\".");
    return lines.join(QLatin1Char('\n'));
}

QString leaveQuestion()
{
    return QStringList{
        QStringLiteral("Des résultats saisis n'ont pas été validés."),
        QStringLiteral("Voulez-vous les enregistrer avant de changer d'affichage ?"),
        QStringLiteral("Oui : les enregistrer. Non : les abandonner. Annuler : revenir à la saisie."),
    }
        .join(QLatin1Char('\n'));
}

QList<ResultStore::Result> storableResults(const QList<TypedRow> &rows)
{
    QList<ResultStore::Result> results;
    for (const auto &[key, record] : rows) {
        if (key.isEmpty() || record[MatchRecord::HomeGoals].isEmpty())
            continue;
        MatchRecord clean;
        for (std::size_t i = 0; i < clean.fields.size(); ++i)
            clean.fields[i] = storable(record.fields[i]);
        results.append({key, clean});
    }
    return results;
}

bool changedSince(const QString &storePath, const QDateTime &startTime)
{
    const QFileInfo store(storePath);
    return store.exists() && startTime.isValid() && store.lastModified() > startTime;
}

Outcome save(ResultStore &store, const QList<TypedRow> &rows, const QDateTime &now, const QDateTime &startTime)
{
    Outcome outcome;
    outcome.changedSinceStart = changedSince(store.path(), startTime);
    // The first results typed in a folder that never published nor
    // downloaded: what was there before them is what the folder has of the
    // published season, so that an update knows them for this folder's own.
    publishedcopy::keepBeforeFirstSave(store.path());
    outcome.saved = store.saveResults(stamp::format(now), storableResults(rows));
    if (outcome.saved)
        outcome.refused = refusals(store, rows);
    return outcome;
}

} // namespace saveentries
