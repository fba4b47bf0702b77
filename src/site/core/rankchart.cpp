#include "site/core/rankchart.h"

#include "site/core/sitehtml.h"
#include "standings/core/leaguezones.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace rankchart {

namespace {

using sitehtml::esc;

namespace texts {
const QString Summary = QStringLiteral("Rang de %1 après chaque journée : %2 après la journée %3, "
                                       "au mieux %4, au pire %5.");
const QString Caption = QStringLiteral("Rang après chaque journée (1 en haut)");
const QString Detail = QStringLiteral("Le détail, journée par journée");
const QString MatchDay = QStringLiteral("Journée");
const QString Rank = QStringLiteral("Rang");
const QString Ranks = QStringLiteral("Rangs de %1");
} // namespace texts

// The drawing's frame, in its own units: match days across, ranks down.
constexpr double Left = 34, Right = 392, Top = 12, Bottom = 202;
constexpr int Width = 400, Height = 232;

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

double xOf(MatchDayNo day)
{
    return Left + (Right - Left) * (day - 1) / (MatchDayCount - 1);
}

double yOf(int rank)
{
    return Top + (Bottom - Top) * (rank - 1) / (TeamCount - 1);
}

QString ordinal(int rank)
{
    return QString::number(rank) + (rank == 1 ? QStringLiteral("er") : QStringLiteral("e"));
}

// A band behind the ranks of a zone, in the table's colour (the zone's
// "z-" class of the style sheet).
QString band(int first, int last, const char *zoneClass)
{
    return QStringLiteral("<rect class=\"z-%1\" x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\"/>")
        .arg(QLatin1String(zoneClass), number(Left), number(yOf(first) - 5), number(Right - Left),
             number(yOf(last) - yOf(first) + 10));
}

QString drawing(const std::vector<std::pair<MatchDayNo, int>> &points, const QString &summary)
{
    QString svg = QStringLiteral("<svg class=\"graphique\" viewBox=\"0 0 %1 %2\" role=\"img\" "
                                 "aria-labelledby=\"graphique-resume\" xmlns=\"http://www.w3.org/2000/svg\">"
                                 "<title id=\"graphique-resume\">")
                      .arg(Width)
                      .arg(Height)
                  + esc(summary) + QStringLiteral("</title>\n");
    for (const leaguezones::Zone &zone : leaguezones::Zones)
        svg += band(zone.first, zone.last, zone.siteClass);
    svg += QLatin1Char('\n');
    for (const int rank : {1, 5, 10, 15, 20}) {
        svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"%7\" stroke-width=\"0.5\"/>"
                              "<text x=\"%4\" y=\"%5\" font-size=\"10\" text-anchor=\"end\" fill=\"%8\">%6</text>")
                   .arg(number(Left), number(yOf(rank)), number(Right), number(Left - 6), number(yOf(rank) + 3.5))
                   .arg(rank)
                   .arg(sitehtml::siteColour(palette::table::GridLine), sitehtml::siteColour(palette::site::Text));
    }
    for (const MatchDayNo day : {1, 10, 19, 29, 38}) {
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"10\" text-anchor=\"middle\" fill=\"%4\">"
                              "J%3</text>")
                   .arg(number(xOf(day)), number(Bottom + 20))
                   .arg(day)
                   .arg(sitehtml::siteColour(palette::site::Text));
    }
    QString line;
    QString dots;
    for (const auto &[day, rank] : points) {
        line += number(xOf(day)) + QLatin1Char(',') + number(yOf(rank)) + QLatin1Char(' ');
        dots += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"2.5\"/>").arg(number(xOf(day)), number(yOf(rank)));
    }
    svg += QStringLiteral("\n<polyline points=\"") + line.trimmed()
           + QStringLiteral("\" fill=\"none\" stroke=\"%1\" stroke-width=\"2\"/>\n<g fill=\"%1\">")
                 .arg(sitehtml::siteColour(palette::site::Banner))
           + dots + QStringLiteral("</g>\n</svg>\n");
    return svg;
}

} // namespace

QString markup(const SiteValues &v, TeamNo team)
{
    const QString name = v.teamName(team);
    std::vector<std::pair<MatchDayNo, int>> points;
    int best = TeamCount;
    int worst = 1;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const int rank = v.history.rankOf(day, name);
        if (rank <= 0)
            continue;
        points.emplace_back(day, rank);
        best = std::min(best, rank);
        worst = std::max(worst, rank);
    }
    if (points.empty())
        return {};
    // One substitution pass, so that a "%1" in a team's name stays text.
    const QString summary = texts::Summary.arg(name, ordinal(points.back().second),
                                               QString::number(points.back().first), ordinal(best), ordinal(worst));
    QString html = QStringLiteral("<figure>\n") + drawing(points, summary) + QStringLiteral("<figcaption>")
                   + esc(texts::Caption) + QStringLiteral("</figcaption>\n</figure>\n<details>\n<summary>")
                   + esc(texts::Detail) + QStringLiteral("</summary>\n");
    html += QStringLiteral("<div class=\"defile\" role=\"region\" tabindex=\"0\" aria-labelledby=\"rangs-titre\">\n"
                           "<table id=\"rangs\">\n<caption id=\"rangs-titre\">")
            + esc(texts::Ranks.arg(name)) + QStringLiteral("</caption>\n<thead><tr><th scope=\"col\">")
            + esc(texts::MatchDay) + QStringLiteral("</th><th scope=\"col\">") + esc(texts::Rank)
            + QStringLiteral("</th></tr></thead>\n<tbody>\n");
    for (const auto &[day, rank] : points)
        html += QStringLiteral("<tr><th scope=\"row\">%1</th><td>%2</td></tr>\n").arg(day).arg(rank);
    html += QStringLiteral("</tbody>\n</table>\n</div>\n</details>\n");
    return html;
}

} // namespace rankchart
