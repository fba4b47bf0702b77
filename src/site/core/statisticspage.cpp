#include "site/core/sitepages.h"

#include "site/core/sitehtml.h"
#include "standings/core/rangetable.h"
#include "standings/core/resultsmatrix.h"

namespace sitepages {

namespace {

using namespace sitehtml;

namespace texts {
const QString Title = QStringLiteral("Statistiques");
const QString Intro = QStringLiteral("Ces tableaux comptent les matches dont les deux scores sont connus, sans les "
                                     "ajustements de points ; chacun est classé pour lui-même (points, différence "
                                     "de buts, buts marqués, puis nom).");
const QString Home = QStringLiteral("À domicile");
const QString Away = QStringLiteral("À l'extérieur");
const QString FirstHalf = QStringLiteral("Matches aller (journées 1 à %1)");
const QString SecondHalf = QStringLiteral("Matches retour (journées %1 à %2)");
const QString RangeCaption = QStringLiteral("Classement sur ces seuls matches : %1");
const QString Matrix = QStringLiteral("Tableau croisé des résultats");
const QString MatrixCaption = QStringLiteral("Résultats : l'équipe à domicile en ligne, l'équipe à l'extérieur en "
                                             "colonne");
const QString Runs = QStringLiteral("Séries");
const QString RunsCaption = QStringLiteral("Séries de chaque équipe : en cours / la plus longue");
const QString Team = QStringLiteral("Équipe");
const QString HomeTeam = QStringLiteral("Domicile \\ Extérieur");
} // namespace texts

QString abbr(const char *shortText, const char *longText)
{
    return QStringLiteral("<abbr title=\"") + esc(QString::fromUtf8(longText)) + QStringLiteral("\">")
           + esc(QString::fromUtf8(shortText)) + QStringLiteral("</abbr>");
}

void writeRangeTable(Page &page, const SiteValues &v, const QString &id, const QString &title,
                     const rangetable::Table &table)
{
    page.heading(2, title);
    page.openTable(id, texts::RangeCaption.arg(title));
    page.headerRow({esc(QStringLiteral("Rang")), esc(texts::Team), abbr("Pts", "Points"), abbr("J", "Joués"),
                    abbr("G", "Gagnés"), abbr("N", "Nuls"), abbr("P", "Perdus"), abbr("BP", "Buts pour"),
                    abbr("BC", "Buts contre"), abbr("Diff.", "Différence de buts")});
    page << QStringLiteral("<tbody>\n");
    for (const rangetable::Row &row : table.rows) {
        QString line = QStringLiteral("<tr><td class=\"rang\">%1</td><th scope=\"row\">").arg(row.rank)
                       + teamLink(v, row.team) + QStringLiteral("</th>");
        for (const int value : {row.points, row.played, row.won, row.drawn, row.lost, row.goalsFor, row.goalsAgainst,
                                row.goalDifference()})
            line += QStringLiteral("<td>%1</td>").arg(value);
        page << line + QStringLiteral("</tr>\n");
    }
    page << QStringLiteral("</tbody>\n");
    page.closeTable();
}

void writeMatrix(Page &page, const SiteValues &v)
{
    const resultsmatrix::Matrix matrix = resultsmatrix::compute(v.season, v.store, 0);
    page.heading(2, texts::Matrix);
    page.openTable(QStringLiteral("matrice"), texts::MatrixCaption, QStringLiteral("matrice"));
    QString head = QStringLiteral("<thead><tr><td>") + esc(texts::HomeTeam) + QStringLiteral("</td>");
    for (TeamNo away = 0; away < TeamCount; ++away)
        head += QStringLiteral("<th scope=\"col\">") + esc(matrix.names[away]) + QStringLiteral("</th>");
    page << head + QStringLiteral("</tr></thead>\n<tbody>\n");
    for (TeamNo home = 0; home < TeamCount; ++home) {
        QString line = QStringLiteral("<tr><th scope=\"row\">") + teamLink(v, home) + QStringLiteral("</th>");
        for (TeamNo away = 0; away < TeamCount; ++away) {
            const resultsmatrix::Cell &cell = matrix.cells[home][away];
            if (home == away)
                line += QStringLiteral("<td class=\"x\">") + esc(cell.text) + QStringLiteral("</td>");
            else if (cell.played && cell.matchDay > 0)
                line += QStringLiteral("<td>") + matchDayLink(cell.matchDay, cell.text) + QStringLiteral("</td>");
            else
                line += QStringLiteral("<td>") + esc(cell.text) + QStringLiteral("</td>");
        }
        page << line + QStringLiteral("</tr>\n");
    }
    page << QStringLiteral("</tbody>\n");
    page.closeTable();
}

void writeRuns(Page &page, const SiteValues &v)
{
    page.heading(2, texts::Runs);
    page.openTable(QStringLiteral("series"), texts::RunsCaption);
    QStringList headings{esc(texts::Team)};
    for (const QString &heading : streaks::headings())
        headings << esc(heading);
    page.headerRow(headings);
    page << QStringLiteral("<tbody>\n");
    for (const streaks::Row &row : v.runs.rows) {
        QString line = QStringLiteral("<tr><th scope=\"row\">") + teamLink(v, row.team) + QStringLiteral("</th>");
        for (const streaks::Run &run : row.runs)
            line += QStringLiteral("<td>%1/%2</td>").arg(run.current).arg(run.longest);
        page << line + QStringLiteral("</tr>\n");
    }
    page << QStringLiteral("</tbody>\n");
    page.closeTable();
}

} // namespace

QByteArray statistics(const SiteValues &v)
{
    using rangetable::Venue;
    Page page(v, Section::Statistics, texts::Title);
    page.heading(1, texts::Title);
    page << QStringLiteral("<p>") + esc(texts::Intro) + QStringLiteral("</p>\n");
    const auto table = [&](MatchDayNo from, MatchDayNo to, Venue venue) {
        return rangetable::compute(v.season, v.store, from, to, venue);
    };
    constexpr MatchDayNo Half = rangetable::FirstHalfEnd;
    writeRangeTable(page, v, QStringLiteral("domicile"), texts::Home, table(1, MatchDayCount, Venue::Home));
    writeRangeTable(page, v, QStringLiteral("exterieur"), texts::Away, table(1, MatchDayCount, Venue::Away));
    writeRangeTable(page, v, QStringLiteral("aller"), texts::FirstHalf.arg(Half), table(1, Half, Venue::All));
    writeRangeTable(page, v, QStringLiteral("retour"), texts::SecondHalf.arg(Half + 1).arg(MatchDayCount),
                    table(Half + 1, MatchDayCount, Venue::All));
    writeMatrix(page, v);
    writeRuns(page, v);
    return page.bytes();
}

} // namespace sitepages
