#include "online/core/publishreview.h"

#include "online/core/storechanges.h"
#include "online/core/storecopy.h"

#include <QStringList>

namespace {

using Kind = FixtureChange::Kind;

namespace texts {
const QString Intro = QStringLiteral("Le fichier envoyé différera de celui du démarrage du programme :");
const QString NothingDiffers = QStringLiteral(
    "Le fichier envoyé a les mêmes résultats, ajustements, nouvelle et version qu'au démarrage du programme.");
const QString Unreadable = QStringLiteral("Les différences avec le fichier du démarrage n'ont pas pu être établies.");
const QString Added = QStringLiteral("Résultats ajoutés (%1) :");
const QString Changed = QStringLiteral("Résultats modifiés (%1) :");
const QString Removed = QStringLiteral("Résultats retirés (%1) :");
const QString Incomplete = QStringLiteral("Résultats incomplets, sans le score de l'équipe extérieure (%1) :");
const QString Adjustments = QStringLiteral("Bonus - Malus (%1) :");
const QString More = QStringLiteral("  … et %1 autres");
const QString News = QStringLiteral("Nouvelle : %1 → %2");
const QString Version = QStringLiteral("Version publiée : %1 → %2");
const QString Stamp = QStringLiteral("Date de mise à jour publiée : %1");
const QString None = QStringLiteral("(aucune)");
const QString NoAdjustment = QStringLiteral("aucun");
const QString NoCards = QStringLiteral("aucun carton");
const QString Question = QStringLiteral("Envoyer ce fichier ?");
} // namespace texts

QString quoted(const QString &text)
{
    return text.isEmpty() ? texts::None : QStringLiteral("« %1 »").arg(text);
}

QString orNone(const QString &text)
{
    return text.isEmpty() ? texts::None : text;
}

QString adjustmentText(float value)
{
    if (value == 0)
        return texts::NoAdjustment;
    QString number = QString::number(static_cast<double>(value), 'g', 7);
    number.replace(QLatin1Char('.'), QLatin1Char(','));
    return value > 0 ? QLatin1Char('+') + number : number;
}

// "2-1", or "2-1 (jaunes 2-0, rouges 0-0)" when the cards are to be told.
QString withCards(const MatchRecord &record, bool cardsToo)
{
    const QString score = storechanges::scoreText(record);
    if (!cardsToo)
        return score;
    const QString cards = storechanges::cardsText(record);
    return score + QStringLiteral(" (") + (cards.isEmpty() ? texts::NoCards : cards) + QLatin1Char(')');
}

QString fixtureLine(const FixtureChange &c)
{
    const QString day = QStringLiteral("  J%1 ").arg(c.matchDay);
    switch (c.kind) {
    case Kind::Added: {
        const QString cards = storechanges::cardsText(c.after);
        return day + c.home + QLatin1Char(' ') + storechanges::scoreText(c.after) + QLatin1Char(' ') + c.away
               + (cards.isEmpty() ? QString() : QStringLiteral(", ") + cards);
    }
    case Kind::ScoreCorrected:
    case Kind::CardsCorrected: {
        // Cards are shown on both sides only when they are part of the change.
        const bool cardsChanged = storechanges::cardsText(c.before) != storechanges::cardsText(c.after);
        return day + c.home + QStringLiteral(" - ") + c.away + QStringLiteral(" : ") + withCards(c.before, cardsChanged)
               + QStringLiteral(" → ") + withCards(c.after, cardsChanged);
    }
    case Kind::Removed:
        return day + c.home + QStringLiteral(" - ") + c.away + QStringLiteral(" : ") + storechanges::scoreText(c.before)
               + QStringLiteral(" → ") + storechanges::scoreText(c.after);
    }
    return {};
}

void addSection(QStringList &lines, const QString &heading, const QStringList &items)
{
    if (items.isEmpty())
        return;
    lines << heading.arg(items.size());
    for (qsizetype i = 0; i < items.size() && i < publishreview::MaxLinesPerSection; ++i)
        lines << items[i];
    if (items.size() > publishreview::MaxLinesPerSection)
        lines << texts::More.arg(items.size() - publishreview::MaxLinesPerSection);
}

} // namespace

namespace publishreview {

QByteArray publishedBytes(const QByteArray &current, const QList<IniFile::Entry> &entries)
{
    QByteArray bytes = current;
    for (const IniFile::Entry &entry : entries)
        bytes = IniFile::writeTo(bytes, entry.section, entry.key, entry.value);
    return bytes;
}

QString listing(const Season &season, const QByteArray &atStart, const QByteArray &published)
{
    const StoreCopy before(atStart);
    const StoreCopy after(published);
    QStringList lines;
    if (published.isEmpty() || !before.isValid() || !after.isValid()) {
        lines << texts::Unreadable << QString() << texts::Question;
        return lines.join(QLatin1Char('\n'));
    }

    // A result typed half-way is listed as it is stored ("2-?") and counted
    // apart, so that it is not sent for a complete score by mistake.
    QStringList added, changed, removed, incomplete;
    for (const FixtureChange &change : storechanges::resultChanges(season, before.store(), after.store())) {
        QStringList &list = storechanges::isIncomplete(change.after) ? incomplete
                            : change.kind == Kind::Added             ? added
                            : change.kind == Kind::Removed           ? removed
                                                                     : changed;
        list << fixtureLine(change);
    }
    QStringList adjustments;
    const BonusMalus oldBonus = before.bonusMalus();
    const BonusMalus newBonus = after.bonusMalus();
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (oldBonus[team] != newBonus[team])
            adjustments << QStringLiteral("  %1 : %2 → %3")
                               .arg(season.teamName(team), adjustmentText(oldBonus[team]),
                                    adjustmentText(newBonus[team]));
    }

    QStringList body;
    addSection(body, texts::Added, added);
    addSection(body, texts::Changed, changed);
    addSection(body, texts::Removed, removed);
    addSection(body, texts::Incomplete, incomplete);
    addSection(body, texts::Adjustments, adjustments);
    const ResultStore &was = before.store();
    const ResultStore &will = after.store();
    if (was.newsText() != will.newsText())
        body << texts::News.arg(quoted(was.newsText()), quoted(will.newsText()));
    if (was.version() != will.version())
        body << texts::Version.arg(orNone(was.version()), orNone(will.version()));

    if (body.isEmpty())
        lines << texts::NothingDiffers;
    else
        lines << texts::Intro << QString() << body;
    lines << texts::Stamp.arg(orNone(will.stamp())) << QString() << texts::Question;
    return lines.join(QLatin1Char('\n'));
}

} // namespace publishreview
