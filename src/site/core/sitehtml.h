#pragma once

#include "shared/core/palette.h"

#include "site/core/sitevalues.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The frame every page of the website shares and the small pieces of markup
// the pages are made of. Every text that comes from the season or the store
// goes through esc(); nothing else writes such a text into a page.
namespace sitehtml {

// Text for a page or an attribute: control characters made blanks, then
// < > & " escaped.
QString esc(const QString &text);
// A colour of the palette as the site's style sheet and drawings spell it: "#1a1a1a", "#fff".
QString siteColour(palette::Rgb rgb);

// A link to `href` (a page of the site) with `text` escaped.
QString link(const QString &href, const QString &text);
QString teamLink(const SiteValues &v, TeamNo team);
QString matchDayLink(MatchDayNo day, const QString &text);

// "samedi 10 août 2013", empty for an invalid date.
QString longDate(const QDate &date);

// The site's sections, for the navigation bar: the one a page belongs to is
// marked as the current one.
enum class Section { Standings, MatchDays, Statistics, Outlook, Records, Cards, Team };

// One page: the head (title, viewport, style sheet), the site's header and
// navigation, then what the page adds, then the footer with the update stamp.
class Page
{
public:
    Page(const SiteValues &v, Section section, const QString &title);

    Page &operator<<(const QString &markup)
    {
        m_body += markup;
        return *this;
    }
    // "<hN>text</hN>", text escaped.
    void heading(int level, const QString &text, const QString &id = {});
    // A table in its own box, which scrolls sideways on a narrow screen
    // rather than the page. `caption` escaped.
    void openTable(const QString &id, const QString &caption, const QString &className = {});
    void closeTable();
    // "<tr>…</tr>" of column headings (already escaped markup each).
    void headerRow(const QStringList &headings);

    QByteArray bytes() const;

private:
    const SiteValues &m_values;
    Section m_section;
    QString m_title;
    QString m_body;
};

// The style sheet every page links to.
QByteArray styleSheet();

} // namespace sitehtml
