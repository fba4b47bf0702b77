#include "site/core/sitehtml.h"

#include "season/core/textutil.h"
#include "shared/core/palette.h"
#include "standings/core/leaguezones.h"
#include "standings/core/tableexport.h"

namespace sitehtml {

namespace {

// The site's own texts, kept together so they read at a glance.
namespace texts {
const QString League = QStringLiteral("Kestrane 1");
const QString NavigationLabel = QStringLiteral("Rubriques du site");
const QString Stamp = QStringLiteral("Mise à jour : ");
const QString NoStamp = QStringLiteral("Pas encore de mise à jour publiée.");
const QString Made = QStringLiteral("Pages écrites par Kestrane 1 à partir des résultats publiés.");
} // namespace texts

struct NavEntry
{
    Section section;
    const char *text;
};
constexpr NavEntry Navigation[] = {
    {Section::Standings, "Classement"}, {Section::MatchDays, "Journées"}, {Section::Statistics, "Statistiques"},
    {Section::Outlook, "Perspectives"}, {Section::Records, "Records"},    {Section::Cards, "Cartons"},
};

QString sectionPage(const SiteValues &v, Section section)
{
    switch (section) {
    case Section::Standings:
    case Section::Team:
        return QStringLiteral("index.html");
    case Section::MatchDays:
        return SiteValues::matchDayPage(v.latest >= 1 ? v.latest : 1);
    case Section::Statistics:
        return QStringLiteral("statistiques.html");
    case Section::Outlook:
        return QStringLiteral("perspectives.html");
    case Section::Records:
        return QStringLiteral("records.html");
    case Section::Cards:
        return QStringLiteral("cartons.html");
    }
    return QStringLiteral("index.html");
}

// The style sheet's colours, written as "{name}" in its text: the palette's,
// spelled as style sheets spell them.
QString withColours(QString sheet, std::initializer_list<std::pair<const char *, palette::Rgb>> colours)
{
    for (const auto &[token, rgb] : colours)
        sheet.replace(QLatin1String(token), siteColour(rgb));
    return sheet;
}

// The zone colours of the window's table, one class each.
QString zoneRules()
{
    QString rules;
    for (const leaguezones::Zone &zone : leaguezones::Zones)
        rules += QStringLiteral(".z-%1{background:%2}\nrect.z-%1{fill:%2}\n")
                     .arg(QLatin1String(zone.siteClass), palette::hexName(zone.colour));
    return rules;
}

} // namespace

QString esc(const QString &text)
{
    return tableexport::plainText(text).toHtmlEscaped();
}

QString siteColour(palette::Rgb rgb)
{
    return palette::shortHexName(rgb).toLower();
}

QString link(const QString &href, const QString &text)
{
    return QStringLiteral("<a href=\"") + esc(href) + QStringLiteral("\">") + esc(text) + QStringLiteral("</a>");
}

QString teamLink(const SiteValues &v, TeamNo team)
{
    if (team < 0 || team >= TeamCount)
        return {};
    return link(v.teamPage(team), v.teamName(team));
}

QString matchDayLink(MatchDayNo day, const QString &text)
{
    return link(SiteValues::matchDayPage(day), text);
}

QString longDate(const QDate &date)
{
    return date.isValid() ? text::frenchLocale().toString(date, QStringLiteral("dddd d MMMM yyyy")) : QString();
}

Page::Page(const SiteValues &v, Section section, const QString &title)
    : m_values(v)
    , m_section(section)
    , m_title(title)
{}

void Page::heading(int level, const QString &text, const QString &id)
{
    m_body += QStringLiteral("<h%1").arg(level);
    if (!id.isEmpty())
        m_body += QStringLiteral(" id=\"") + id + QLatin1Char('"');
    m_body += QLatin1Char('>') + esc(text) + QStringLiteral("</h%1>\n").arg(level);
}

void Page::openTable(const QString &id, const QString &caption, const QString &className)
{
    // The box is a region a keyboard can reach and scroll, named by the caption.
    m_body += QStringLiteral("<div class=\"defile\" role=\"region\" tabindex=\"0\" aria-labelledby=\"%1-titre\">\n"
                             "<table id=\"%1\"")
                  .arg(id);
    if (!className.isEmpty())
        m_body += QStringLiteral(" class=\"") + className + QLatin1Char('"');
    m_body += QStringLiteral(">\n<caption id=\"%1-titre\">").arg(id) + esc(caption) + QStringLiteral("</caption>\n");
}

void Page::closeTable()
{
    m_body += QStringLiteral("</table>\n</div>\n");
}

void Page::headerRow(const QStringList &headings)
{
    m_body += QStringLiteral("<thead><tr>");
    for (const QString &heading : headings)
        m_body += QStringLiteral("<th scope=\"col\">") + heading + QStringLiteral("</th>");
    m_body += QStringLiteral("</tr></thead>\n");
}

QByteArray Page::bytes() const
{
    const SiteValues &v = m_values;
    QString page;
    page.reserve(m_body.size() + 2048);
    page += QStringLiteral("<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>")
            + esc(m_title + QStringLiteral(" – ") + texts::League)
            + QStringLiteral("</title>\n<link rel=\"stylesheet\" href=\"style.css\"/>\n</head>\n<body>\n"
                             "<header class=\"site\">\n<p class=\"ligue\"><a href=\"index.html\">")
            + esc(v.season.title().isEmpty() ? texts::League : v.season.title())
            + QStringLiteral("</a></p>\n<nav aria-label=\"") + esc(texts::NavigationLabel)
            + QStringLiteral("\">\n<ul>");
    for (const NavEntry &entry : Navigation) {
        page += QStringLiteral("<li><a href=\"") + sectionPage(v, entry.section) + QLatin1Char('"');
        if (entry.section == m_section)
            page += QStringLiteral(" aria-current=\"page\"");
        page += QLatin1Char('>') + esc(QString::fromUtf8(entry.text)) + QStringLiteral("</a></li>");
    }
    page += QStringLiteral("</ul>\n</nav>\n</header>\n<main>\n") + m_body + QStringLiteral("</main>\n<footer>\n<p>");
    const QString stamp = v.stampText();
    page += stamp.isEmpty() ? esc(texts::NoStamp) : esc(texts::Stamp + stamp);
    page += QStringLiteral("</p>\n<p>") + esc(texts::Made) + QStringLiteral("</p>\n</footer>\n</body>\n</html>\n");
    return page.toUtf8();
}

QByteArray styleSheet()
{
    // Phone first: the page never grows wider than the screen; a wide table
    // scrolls inside its box. Every colour pair reads at 4.5:1 or better.
    const QString sheet = withColours(QStringLiteral(
        "*{box-sizing:border-box}\n"
        "html{-webkit-text-size-adjust:100%;text-size-adjust:100%}\n"
        "body{margin:0;font-family:\"DejaVu Sans\",\"Noto Sans\",Arial,sans-serif;font-size:1rem;line-height:1.45;"
        "color:{text};background:{ground};overflow-wrap:anywhere}\n"
        "a{color:{link}}\n"
        "a:focus,.defile:focus{outline:3px solid {focus};outline-offset:2px}\n"
        "header.site{background:{banner};color:{bannerText};padding:.5rem 1rem}\n"
        "header.site a{color:{bannerText}}\n"
        "header.site p{margin:0 0 .3rem}\n"
        ".ligue a{font-weight:bold;text-decoration:none}\n"
        "nav ul{list-style:none;margin:0;padding:0;display:flex;flex-wrap:wrap;gap:.2rem 1rem}\n"
        "nav a[aria-current]{font-weight:bold;text-decoration:none;border-bottom:2px solid {bannerText}}\n"
        "main{max-width:75rem;margin:0 auto;padding:.8rem 1rem}\n"
        "footer{max-width:75rem;margin:1.5rem auto 0;padding:.8rem 1rem;border-top:1px solid {rule};color:{muted};"
        "font-size:.9rem}\n"
        "h1{font-size:1.5rem;margin:.3rem 0 .6rem}\n"
        "h2{font-size:1.2rem;margin:1.5rem 0 .5rem}\n"
        "h3{font-size:1.05rem;margin:1.2rem 0 .4rem}\n"
        ".maj{color:{muted}}\n"
        ".actu{border-left:4px solid {banner};padding:.3rem .8rem;background:{rank}}\n"
        ".defile{overflow-x:auto;max-width:100%;margin:.5rem 0 1rem}\n"
        "table{border-collapse:collapse;font-size:.9rem}\n"
        "caption{text-align:left;font-weight:bold;padding:.3rem 0}\n"
        "th,td{border:1px solid {rule};padding:.25rem .45rem;text-align:center;overflow-wrap:normal}\n"
        "thead th{background:{heading}}\n"
        "th[scope=row]{text-align:left;font-weight:normal;white-space:nowrap}\n"
        "td a,th a{color:inherit}\n"
        ".rang{background:{rank};font-weight:bold}\n"
        ".premier{font-weight:bold}\n"
        ".negatif{color:{negative}}\n"
        ".sous-moyenne{background:{below}}\n"
        ".monte{color:{rise}}\n.descend{color:{negative}}\n"
        ".forme{white-space:nowrap}\n"
        ".forme span{display:inline-block;min-width:1.4em;margin:0 "
        "1px;color:{bannerText};font-weight:bold;border-radius:3px}\n"
        ".forme .v{background:{rise}}\n.forme .n{background:{drawn}}\n.forme .d{background:{negative}}\n"
        ".matrice td{white-space:nowrap}\n.matrice td.x{background:{heading}}\n"
        "ul.liste{display:flex;flex-wrap:wrap;gap:.3rem 1.2rem;padding-left:1.2rem}\n"
        "ul.legende{list-style:none;padding:0}\n"
        "ul.legende li{margin:.2rem 0}\n"
        ".pastille{display:inline-block;width:1.6em;height:1em;border:1px solid {rule};vertical-align:middle;"
        "margin-right:.5em}\n"
        ".suite{display:flex;flex-wrap:wrap;justify-content:space-between;gap:.5rem}\n"
        ".graphique{width:100%;max-width:40rem;height:auto}\n"
        ".fiche{display:flex;flex-wrap:wrap;gap:.3rem 1.6rem;list-style:none;padding:0}\n"
        "@media "
        "(max-width:40rem){body{font-size:.95rem}main{padding:.6rem}table{font-size:.85rem}.detail{display:none}}\n"),
        {{"{text}", palette::site::Text},
         {"{ground}", palette::site::Background},
         {"{link}", palette::site::Link},
         {"{focus}", palette::site::Focus},
         {"{banner}", palette::site::Banner},
         {"{bannerText}", palette::site::BannerText},
         {"{rule}", palette::table::GridLine},
         {"{muted}", palette::site::Muted},
         {"{rank}", palette::table::RankLabel},
         {"{heading}", palette::table::Header},
         {"{negative}", palette::site::Negative},
         {"{below}", palette::table::Green},
         {"{rise}", palette::site::Rise},
         {"{drawn}", palette::site::FormDrawn}});
    return (sheet + zoneRules()).toUtf8();
}

} // namespace sitehtml
