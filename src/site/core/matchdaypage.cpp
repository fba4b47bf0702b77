#include "site/core/sitepages.h"

#include "matchday/core/matchdayview.h"
#include "site/core/sitehtml.h"

namespace sitepages {

namespace {

using namespace sitehtml;

namespace texts {
const QString Title = QStringLiteral("Journée %1");
const QString Fixtures = QStringLiteral("Matches de la journée %1");
const QString NoFixture = QStringLiteral("Aucun match au calendrier de cette journée.");
const QString Previous = QStringLiteral("← Journée %1");
const QString Next = QStringLiteral("Journée %1 →");
const QString Around = QStringLiteral("Journées voisines");
const QString Totals = QStringLiteral("Bilan de la journée");
} // namespace texts

// The match grid's columns, in the order the command line prints them.
const QStringList &headings()
{
    static const QStringList list = {
        QStringLiteral("Domicile"),
        QStringLiteral("<abbr title=\"Buts de l'équipe à domicile\">Buts</abbr>"),
        QStringLiteral("<abbr title=\"Buts de l'équipe à l'extérieur\">Buts</abbr>"),
        QStringLiteral("Extérieur"),
        QStringLiteral("<abbr title=\"Cartons rouges, domicile\">CR</abbr>"),
        QStringLiteral("<abbr title=\"Cartons jaunes, domicile\">CJ</abbr>"),
        QStringLiteral("<abbr title=\"Cartons jaunes, extérieur\">CJ</abbr>"),
        QStringLiteral("<abbr title=\"Cartons rouges, extérieur\">CR</abbr>"),
        QStringLiteral("Aller / retour"),
    };
    return list;
}

// A card box shows its count only while it is shown (the match played).
QString shown(const QString &text, bool visible)
{
    return visible ? esc(text) : QString();
}

QString teamCell(const SiteValues &v, QChar letter, const QString &name)
{
    const TeamNo team = Season::teamNoOfLetter(letter);
    const QString markup = team >= 0 && team < TeamCount && v.teamName(team) == name ? teamLink(v, team) : esc(name);
    return QStringLiteral("<td>") + markup + QStringLiteral("</td>");
}

} // namespace

QByteArray matchDay(const SiteValues &v, MatchDayNo day)
{
    // The header's "in N days" depends on today: the page gives the date alone.
    const MatchDayView view = matchday::build(v.season, v.store, day, v.moment, QString());
    Page page(v, Section::MatchDays, texts::Title.arg(day));
    page.heading(1, texts::Title.arg(day));
    const QString date = longDate(v.season.matchDayDate(day));
    if (!date.isEmpty())
        page << QStringLiteral("<p>") + esc(date) + QStringLiteral("</p>\n");

    page << QStringLiteral("<nav class=\"suite\" aria-label=\"") + esc(texts::Around) + QStringLiteral("\">");
    page << (day > 1 ? matchDayLink(day - 1, texts::Previous.arg(day - 1)) : QStringLiteral("<span></span>"));
    page << (day < MatchDayCount ? matchDayLink(day + 1, texts::Next.arg(day + 1)) : QString());
    page << QStringLiteral("</nav>\n");

    if (view.rows.isEmpty()) {
        page << QStringLiteral("<p>") + esc(texts::NoFixture) + QStringLiteral("</p>\n");
    } else {
        page.openTable(QStringLiteral("matches"), texts::Fixtures.arg(day));
        page.headerRow(headings());
        page << QStringLiteral("<tbody>\n");
        for (const GridRow &row : view.rows) {
            page << QStringLiteral("<tr>") + teamCell(v, row.homeLetter, row.homeName) + QStringLiteral("<td>")
                        + esc(row.homeGoals) + QStringLiteral("</td><td>") + esc(row.awayGoals)
                        + QStringLiteral("</td>") + teamCell(v, row.awayLetter, row.awayName);
            const entry::CardLayout &shownCards = row.cardLayout;
            const QString cells[] = {shown(row.cards.homeRed, shownCards.homeRedShown),
                                     shown(row.cards.homeYellow, shownCards.homeYellowShown),
                                     shown(row.cards.awayYellow, shownCards.awayYellowShown),
                                     shown(row.cards.awayRed, shownCards.awayRedShown), esc(row.info)};
            for (const QString &cell : cells)
                page << QStringLiteral("<td>") + cell + QStringLiteral("</td>");
            page << QStringLiteral("</tr>\n");
        }
        page << QStringLiteral("</tbody>\n");
        page.closeTable();
    }
    page.heading(2, texts::Totals);
    page << QStringLiteral("<ul>\n");
    for (const QString &line : view.dayTotals)
        page << QStringLiteral("<li>") + esc(line) + QStringLiteral("</li>\n");
    page << QStringLiteral("</ul>\n");
    return page.bytes();
}

} // namespace sitepages
