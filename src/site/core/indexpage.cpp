#include "site/core/sitepages.h"

#include "site/core/sitehtml.h"
#include "standings/core/tableexport.h"

namespace sitepages {

namespace {

using namespace sitehtml;

namespace texts {
const QString Title = QStringLiteral("Classement");
const QString News = QStringLiteral("Actualité");
const QString NoResult = QStringLiteral("Aucun résultat pour l'instant : le classement part de zéro.");
const QString AfterMatchDay = QStringLiteral("Après la journée %1 (%2).");
const QString Form = QStringLiteral("Forme");
const QString FormNote = QStringLiteral("Forme : les 5 derniers matches joués, du plus ancien au plus récent "
                                        "(V victoire, N nul, D défaite). Évol. : places gagnées ou perdues depuis "
                                        "la journée précédente. Sur un écran étroit, le détail à domicile et à "
                                        "l'extérieur n'est pas montré : les statistiques le donnent.");
const QString Legend = QStringLiteral("Légende");
const QString MatchDays = QStringLiteral("Journées");
const QString Teams = QStringLiteral("Équipes");
const QString More = QStringLiteral("Statistiques et données");
const QString MatchDay = QStringLiteral("J%1");
const QString MatchDayTitle = QStringLiteral("Journée %1 : %2");
} // namespace texts

// The classes of the window's name cell: its zone.
QString zoneClass(const DisplayedRow &row, bool marked)
{
    if (!marked)
        return {};
    switch (row.zone) {
    case ZoneMark::ChampionsLeague:
        return QStringLiteral("z-c1");
    case ZoneMark::ThirdRound:
        return QStringLiteral("z-t3");
    case ZoneMark::Europa:
        return QStringLiteral("z-c3");
    case ZoneMark::Relegated:
        return QStringLiteral("z-r");
    case ZoneMark::None:
        break;
    }
    return {};
}

// The two heading rows of the exports: a column alone spans both, a pair
// shares its group's heading; then the form.
void writeHeadings(Page &page, const QList<tableexport::Column> &columns)
{
    QString first = QStringLiteral("<thead>\n<tr>");
    QString second = QStringLiteral("<tr>");
    for (int i = 0; i < columns.size(); ++i) {
        const tableexport::Column &c = columns[i];
        if (c.group.isEmpty()) {
            first += QStringLiteral("<th rowspan=\"2\" scope=\"col\">") + esc(c.header) + QStringLiteral("</th>");
            continue;
        }
        second += QStringLiteral("<th scope=\"col\" class=\"detail\">") + esc(c.header) + QStringLiteral("</th>");
        if (i > 0 && columns[i - 1].group == c.group)
            continue;
        int span = 1;
        while (i + span < columns.size() && columns[i + span].group == c.group)
            ++span;
        first += QStringLiteral("<th colspan=\"%1\" scope=\"colgroup\" class=\"detail\">").arg(span) + esc(c.group)
                 + QStringLiteral("</th>");
    }
    first += QStringLiteral("<th rowspan=\"2\" scope=\"col\">") + esc(texts::Form) + QStringLiteral("</th></tr>\n");
    page << first << second << QStringLiteral("</tr>\n</thead>\n");
}

void writeTable(Page &page, const SiteValues &v)
{
    const DisplayedStandings &shown = v.table;
    const QList<tableexport::Column> &columns = tableexport::columns();
    page.openTable(QStringLiteral("classement"), tableexport::caption(shown));
    writeHeadings(page, columns);
    page << QStringLiteral("<tbody>\n");
    for (int r = 0; r < TeamCount; ++r) {
        const DisplayedRow &row = shown.rows[r];
        const QStringList cells = tableexport::cellTexts(row);
        QString line = QStringLiteral("<tr>");
        for (int i = 0; i < columns.size(); ++i) {
            const QString &cell = columns[i].cell;
            if (cell == QLatin1String("Tclass")) {
                QStringList classes{zoneClass(row, shown.zonesMarked)};
                if (shown.zonesMarked && r == 0)
                    classes << QStringLiteral("premier");
                classes.removeAll(QString());
                line += QStringLiteral("<th scope=\"row\"");
                if (!classes.isEmpty())
                    line += QStringLiteral(" class=\"") + classes.join(QLatin1Char(' ')) + QLatin1Char('"');
                if (!row.zoneToolTip.isEmpty())
                    line += QStringLiteral(" title=\"") + esc(row.zoneToolTip) + QLatin1Char('"');
                line += QLatin1Char('>') + teamLink(v, v.teamAt[r]) + QStringLiteral("</th>");
                continue;
            }
            QString klass;
            if (!columns[i].group.isEmpty())
                klass = QStringLiteral("detail"); // the home and away pairs, left out on a phone
            else if (cell == QLatin1String("LabClass"))
                klass = QStringLiteral("rang");
            else if (cell == QLatin1String("ImEvol") && row.movement == Movement::Up)
                klass = QStringLiteral("monte");
            else if (cell == QLatin1String("ImEvol") && row.movement == Movement::Down)
                klass = QStringLiteral("descend");
            else if (cell == QLatin1String("TPTS") && cells[i].contains(QLatin1Char('-')))
                klass = QStringLiteral("negatif");
            else if (cell == QLatin1String("MJ") && row.belowAverage)
                klass = QStringLiteral("sous-moyenne");
            line += klass.isEmpty() ? QStringLiteral("<td>") : QStringLiteral("<td class=\"") + klass + "\">";
            line += esc(cells[i]) + QStringLiteral("</td>");
        }
        const TeamNo team = v.teamAt[r];
        for (const formguide::Row &form : v.form.rows) {
            if (form.team == team)
                line += QStringLiteral("<td class=\"forme\">") + formMarkup(v, form) + QStringLiteral("</td>");
        }
        page << line << QStringLiteral("</tr>\n");
    }
    page << QStringLiteral("</tbody>\n");
    page.closeTable();
}

void writeLegend(Page &page, const SiteValues &v)
{
    page << QStringLiteral("<p>") + esc(texts::FormNote) + QStringLiteral("</p>\n");
    const QList<tableexport::LegendEntry> entries = tableexport::legend(v.table);
    if (!entries.isEmpty()) {
        page.heading(2, texts::Legend);
        page << QStringLiteral("<ul class=\"legende\">\n");
        for (const tableexport::LegendEntry &entry : entries)
            page << QStringLiteral("<li><span class=\"pastille\" style=\"background:") + esc(entry.colour)
                        + QStringLiteral("\"></span>") + esc(entry.text) + QStringLiteral("</li>\n");
        page << QStringLiteral("</ul>\n");
    }
    for (const QString &line : tableexport::footerLines(v.table))
        page << QStringLiteral("<p>") + esc(line) + QStringLiteral("</p>\n");
}

void writeLinks(Page &page, const SiteValues &v)
{
    page.heading(2, texts::MatchDays);
    page << QStringLiteral("<ul class=\"liste\">\n");
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        page << QStringLiteral("<li><a href=\"") + SiteValues::matchDayPage(day) + QStringLiteral("\" title=\"")
                    + esc(texts::MatchDayTitle.arg(day).arg(longDate(v.season.matchDayDate(day)))) + "\">"
                    + esc(texts::MatchDay.arg(day)) + QStringLiteral("</a></li>\n");
    }
    page << QStringLiteral("</ul>\n");
    page.heading(2, texts::Teams);
    page << QStringLiteral("<ul class=\"liste\">\n");
    for (TeamNo team = 0; team < TeamCount; ++team)
        page << QStringLiteral("<li>") + teamLink(v, team) + QStringLiteral("</li>\n");
    page << QStringLiteral("</ul>\n");
    page.heading(2, texts::More);
    page << QStringLiteral("<ul>\n");
    const std::pair<const char *, const char *> files[] = {
        {"statistiques.html", "Statistiques : domicile, extérieur, demi-saisons, tableau croisé, séries"},
        {"perspectives.html", "Perspectives : meilleur et pire classement final possibles"},
        {"records.html", "Records de la saison"},
        {"cartons.html", "Cartons par journée"},
        {"classement.csv", "Classement pour un tableur (CSV)"},
        {"classement.pdf", "Classement à imprimer (PDF)"},
        {"donnees/saison.json", "La saison pour d'autres programmes (JSON)"},
    };
    for (const auto &[href, text] : files)
        page << QStringLiteral("<li>") + link(QString::fromUtf8(href), QString::fromUtf8(text))
                    + QStringLiteral("</li>\n");
    page << QStringLiteral("</ul>\n");
}

} // namespace

QByteArray index(const SiteValues &v)
{
    Page page(v, Section::Standings, texts::Title);
    page.heading(1, v.season.title().isEmpty() ? texts::Title : v.season.title());
    if (!v.stampText().isEmpty())
        page << QStringLiteral("<p class=\"maj\">") + esc(QStringLiteral("Mise à jour : ") + v.stampText())
                    + QStringLiteral("</p>\n");
    const QString news = v.store.newsText().trimmed();
    if (!news.isEmpty()) {
        page << QStringLiteral("<section class=\"actu\" aria-labelledby=\"actu-titre\">\n");
        page.heading(2, texts::News, QStringLiteral("actu-titre"));
        page << QStringLiteral("<p>") + esc(news) + QStringLiteral("</p>\n</section>\n");
    }
    if (v.latest == 0)
        page << QStringLiteral("<p>") + esc(texts::NoResult) + QStringLiteral("</p>\n");
    else
        page << QStringLiteral("<p>")
                    + matchDayLink(v.latest,
                                   texts::AfterMatchDay.arg(v.latest).arg(longDate(v.season.matchDayDate(v.latest))))
                    + QStringLiteral("</p>\n");
    writeTable(page, v);
    writeLegend(page, v);
    writeLinks(page, v);
    return page.bytes();
}

} // namespace sitepages
