#include "site/core/sitepages.h"

#include "season/core/textutil.h"
#include "site/core/rankchart.h"
#include "site/core/sitehtml.h"
#include "team/core/teamcard.h"

#include <algorithm>

namespace sitepages {

namespace {

using namespace sitehtml;

namespace texts {
const QString Card = QStringLiteral("Fiche");
const QString Form = QStringLiteral("Forme");
const QString FormNote = QStringLiteral("Les %1 derniers matches joués, du plus ancien au plus récent : %2 points.");
const QString NoForm = QStringLiteral("Aucun match joué pour l'instant.");
const QString Runs = QStringLiteral("Séries");
const QString RunsCaption = QStringLiteral("Séries de %1 (en matches joués)");
const QString Kind = QStringLiteral("Série");
const QString Current = QStringLiteral("En cours");
const QString Longest = QStringLiteral("La plus longue");
const QString Ranks = QStringLiteral("Classement après chaque journée");
const QString NoRanks = QStringLiteral("Pas encore de journée jouée.");
const QString Calendar = QStringLiteral("Calendrier et résultats");
const QString CalendarCaption = QStringLiteral("Les matches de %1");
const QString Agenda = QStringLiteral("Ajouter ses matches à un agenda (iCalendar)");
const QStringList CalendarHeadings = {QStringLiteral("Journée"),   QStringLiteral("Date"),
                                      QStringLiteral("Domicile"),  QStringLiteral("Score"),
                                      QStringLiteral("Extérieur"), QStringLiteral("Résultat")};
} // namespace texts

QString nameCell(const SiteValues &v, QChar letter, const QString &name, TeamNo self)
{
    const TeamNo team = Season::teamNoOfLetter(letter);
    if (team == self)
        return QStringLiteral("<td><strong>") + esc(name) + QStringLiteral("</strong></td>");
    const bool known = team >= 0 && team < TeamCount && v.teamName(team) == name;
    return QStringLiteral("<td>") + (known ? teamLink(v, team) : esc(name)) + QStringLiteral("</td>");
}

void writeCard(Page &page, const TeamCard &card)
{
    page.heading(2, texts::Card);
    // The card's lines as it prints them; an average goes with the count before it.
    QStringList items;
    for (const QString &line : card.totalsLines()) {
        if (!items.isEmpty() && !line.contains(QLatin1Char(':')))
            items.last() += QStringLiteral(" – ") + line;
        else
            items << line;
    }
    page << QStringLiteral("<ul class=\"fiche\">\n");
    for (const QString &item : items)
        page << QStringLiteral("<li>") + esc(item) + QStringLiteral("</li>\n");
    page << QStringLiteral("</ul>\n");
}

void writeFormAndRuns(Page &page, const SiteValues &v, TeamNo team)
{
    page.heading(2, texts::Form);
    for (const formguide::Row &row : v.form.rows) {
        if (row.team != team)
            continue;
        if (row.matches.empty()) {
            page << QStringLiteral("<p>") + esc(texts::NoForm) + QStringLiteral("</p>\n");
            continue;
        }
        page << QStringLiteral("<p class=\"forme\">") + formMarkup(v, row) + QStringLiteral("</p>\n<p>")
                    + esc(texts::FormNote.arg(row.matches.size()).arg(row.points)) + QStringLiteral("</p>\n");
    }
    page.heading(2, texts::Runs);
    for (const streaks::Row &row : v.runs.rows) {
        if (row.team != team)
            continue;
        page.openTable(QStringLiteral("series"), texts::RunsCaption.arg(row.name));
        page.headerRow({esc(texts::Kind), esc(texts::Current), esc(texts::Longest)});
        page << QStringLiteral("<tbody>\n");
        for (int kind = 0; kind < streaks::KindCount; ++kind)
            page << QStringLiteral("<tr><th scope=\"row\">") + esc(streaks::headings()[kind])
                        + QStringLiteral("</th><td>%1</td><td>%2</td></tr>\n")
                              .arg(row.runs[kind].current)
                              .arg(row.runs[kind].longest);
        page << QStringLiteral("</tbody>\n");
        page.closeTable();
    }
}

void writeCalendar(Page &page, const SiteValues &v, const TeamCard &card, TeamNo team)
{
    page.heading(2, texts::Calendar);
    page << QStringLiteral("<p>")
                + link(QStringLiteral("equipe-") + v.slugs[team] + QStringLiteral(".ics"), texts::Agenda)
                + QStringLiteral("</p>\n");
    std::vector<CardRow> rows = card.rows;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const CardRow &a, const CardRow &b) { return a.fixtureNo < b.fixtureNo; });
    page.openTable(QStringLiteral("calendrier"), texts::CalendarCaption.arg(card.name));
    QStringList headings;
    for (const QString &heading : texts::CalendarHeadings)
        headings << esc(heading);
    page.headerRow(headings);
    page << QStringLiteral("<tbody>\n");
    for (const CardRow &row : rows) {
        const QDate date = v.season.matchDayDate(row.matchDay);
        const QString dateText =
            date.isValid() ? text::frenchLocale().toString(date, QStringLiteral("d MMM yyyy")) : QString();
        page << QStringLiteral("<tr><td>") + matchDayLink(row.matchDay, QString::number(row.matchDay))
                    + QStringLiteral("</td><td>") + esc(dateText) + QStringLiteral("</td>")
                    + nameCell(v, row.homeLetter, row.homeName, team) + QStringLiteral("<td>") + esc(row.scoreText())
                    + QStringLiteral("</td>") + nameCell(v, row.awayLetter, row.awayName, team) + QStringLiteral("<td>")
                    + esc(row.outcomeWord()) + QStringLiteral("</td></tr>\n");
    }
    page << QStringLiteral("</tbody>\n");
    page.closeTable();
}

} // namespace

QByteArray team(const SiteValues &v, TeamNo team)
{
    const QString name = v.teamName(team);
    // The card's rank is that of the general table, as the command line prints it.
    const TeamCard card = buildTeamCard(v.season, v.store, team, v.table, QString());
    Page page(v, Section::Team, name);
    page.heading(1, name);
    writeCard(page, card);
    writeFormAndRuns(page, v, team);
    page.heading(2, texts::Ranks);
    const QString chart = rankchart::markup(v, team);
    page << (chart.isEmpty() ? QStringLiteral("<p>") + esc(texts::NoRanks) + QStringLiteral("</p>\n") : chart);
    writeCalendar(page, v, card, team);
    return page.bytes();
}

QString formMarkup(const SiteValues &v, const formguide::Row &row)
{
    QString html;
    for (const formguide::Match &match : row.matches) {
        const QChar letter = outcomeLetter(match.outcome);
        const QString where = match.atHome ? QStringLiteral("dom.") : QStringLiteral("ext.");
        // Title: "J12, Stade Bérange (dom.) 2-1".
        const QString title = QStringLiteral("J%1, %2 (%3) %4-%5")
                                  .arg(QString::number(match.day), v.teamName(match.opponent), where,
                                       QString::number(match.goalsFor), QString::number(match.goalsAgainst));
        html += QStringLiteral("<span class=\"") + QString(letter.toLower()) + QStringLiteral("\" title=\"")
                + esc(title) + QStringLiteral("\">") + letter + QStringLiteral("</span>");
    }
    return html;
}

} // namespace sitepages
