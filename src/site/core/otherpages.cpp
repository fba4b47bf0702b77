#include "site/core/sitepages.h"

#include "site/core/sitehtml.h"
#include "team/core/cardsreport.h"
#include "team/core/seasonhighlights.h"

namespace sitepages {

namespace {

using namespace sitehtml;

namespace texts {
const QString Outlook = QStringLiteral("Perspectives");
const QString OutlookIntro = QStringLiteral(
    "Le meilleur et le pire classement final encore possibles de chaque équipe, sur toutes les issues des %1 "
    "matches restant à jouer (3 points la victoire, 1 le nul), l'égalité de points jouant pour elle dans le "
    "meilleur cas et contre elle dans le pire ; puis ce que cela décide.");
const QString OutlookDone = QStringLiteral("Plus aucun match à jouer : ces classements sont définitifs.");
const QString NotFinal = QStringLiteral(
    "Calcul exact incomplet : les lignes marquées « non définitif » ou « échec du calcul » donnent des bornes "
    "sûres, pas forcément les rangs exacts.");
const QString OutlookCaption = QStringLiteral("Classement final possible de chaque équipe");
const QStringList OutlookHeadings = {QStringLiteral("Rang"), QStringLiteral("Équipe"), QStringLiteral("Meilleur"),
                                     QStringLiteral("Pire"), QStringLiteral("Ce que cela décide")};
const QString Records = QStringLiteral("Records de la saison");
const QString NoRecord = QStringLiteral("Personne ne le détient encore.");
const QString Cards = QStringLiteral("Cartons par journée");
const QString CardsCaption = QStringLiteral("Cartons donnés à chaque journée");
const QString NoCards = QStringLiteral("Aucun carton pour l'instant.");
const QStringList CardsHeadings = {QStringLiteral("Journée"), QStringLiteral("Cartons jaunes"),
                                   QStringLiteral("Cartons rouges")};
const QString Total = QStringLiteral("Total de la saison");
} // namespace texts

QStringList escaped(const QStringList &texts)
{
    QStringList list;
    for (const QString &text : texts)
        list << esc(text);
    return list;
}

} // namespace

QByteArray outlook(const SiteValues &v)
{
    const SeasonOutlook &outlook = v.outlook;
    Page page(v, Section::Outlook, texts::Outlook);
    page.heading(1, texts::Outlook);
    page << QStringLiteral("<p>")
                + esc(outlook.remainingFixtures > 0 ? texts::OutlookIntro.arg(outlook.remainingFixtures)
                                                    : texts::OutlookDone)
                + QStringLiteral("</p>\n");
    if (!outlook.final())
        page << QStringLiteral("<p><strong>") + esc(texts::NotFinal) + QStringLiteral("</strong></p>\n");
    page.openTable(QStringLiteral("perspectives"), texts::OutlookCaption);
    page.headerRow(escaped(texts::OutlookHeadings));
    page << QStringLiteral("<tbody>\n");
    for (const TeamOutlook &row : outlook.rows) {
        page << QStringLiteral("<tr><td class=\"rang\">") + esc(row.rankLabel)
                    + QStringLiteral("</td><th scope=\"row\">") + teamLink(v, row.team)
                    + QStringLiteral("</th><td>%1</td><td>%2</td><td>").arg(row.range.best).arg(row.range.worst)
                    + esc(row.statusWords.join(QStringLiteral(", "))) + QStringLiteral("</td></tr>\n");
    }
    page << QStringLiteral("</tbody>\n");
    page.closeTable();
    return page.bytes();
}

QByteArray records(const SiteValues &v)
{
    const std::array<QString, highlights::Count> values = highlights::compute(v.season, v.store);
    Page page(v, Section::Records, texts::Records);
    page.heading(1, texts::Records);
    for (int i = 0; i < highlights::Count; ++i) {
        QString heading = highlights::headings()[i];
        if (heading.endsWith(QLatin1Char(':')))
            heading.chop(1);
        page.heading(2, heading);
        const QString value = values[i].trimmed();
        if (value.isEmpty()) {
            page << QStringLiteral("<p>") + esc(texts::NoRecord) + QStringLiteral("</p>\n");
            continue;
        }
        // A record may hold several lines: each its own.
        QStringList lines;
        for (const QString &line : value.split(QLatin1Char('\n')))
            lines << esc(line.trimmed());
        page << QStringLiteral("<p>") + lines.join(QStringLiteral("<br/>")) + QStringLiteral("</p>\n");
    }
    return page.bytes();
}

QByteArray cards(const SiteValues &v)
{
    const CardsReport report = cardsPerMatchDay(v.store);
    Page page(v, Section::Cards, texts::Cards);
    page.heading(1, texts::Cards);
    page.openTable(QStringLiteral("cartons"), texts::CardsCaption);
    page.headerRow(escaped(texts::CardsHeadings));
    page << QStringLiteral("<tbody>\n");
    bool any = false;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        // The days the report lists: those with a card.
        if (report.yellow[day] + report.red[day] == 0)
            continue;
        any = true;
        page << QStringLiteral("<tr><th scope=\"row\">") + matchDayLink(day, QString::number(day))
                    + QStringLiteral("</th><td>%1</td><td>%2</td></tr>\n").arg(report.yellow[day]).arg(report.red[day]);
    }
    if (!any)
        page << QStringLiteral("<tr><td colspan=\"3\">") + esc(texts::NoCards) + QStringLiteral("</td></tr>\n");
    page << QStringLiteral("</tbody>\n<tfoot><tr><th scope=\"row\">") + esc(texts::Total)
                + QStringLiteral("</th><td>%1</td><td>%2</td></tr></tfoot>\n")
                      .arg(report.totalYellow)
                      .arg(report.totalRed);
    page.closeTable();
    return page.bytes();
}

} // namespace sitepages
