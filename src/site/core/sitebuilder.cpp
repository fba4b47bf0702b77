#include "site/core/sitebuilder.h"

#include "site/core/sitehtml.h"
#include "site/core/sitejson.h"
#include "site/core/sitepages.h"
#include "site/core/sitevalues.h"
#include "standings/core/tableexport.h"
#include "team/core/teamcalendar.h"

namespace site {

Files build(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, const PdfMaker &pdf)
{
    // One reading of the store's file for the whole site.
    const IniFile::Hold hold(store.ini());
    const SiteValues v = siteValues(season, store, bonusMalus);
    Files files;
    files.reserve(2 * TeamCount + MatchDayCount + 10);
    files.push_back({QStringLiteral("style.css"), sitehtml::styleSheet()});
    files.push_back({QStringLiteral("index.html"), sitepages::index(v)});
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day)
        files.push_back({SiteValues::matchDayPage(day), sitepages::matchDay(v, day)});
    for (TeamNo team = 0; team < TeamCount; ++team) {
        files.push_back({v.teamPage(team), sitepages::team(v, team)});
        // The calendar's stamp is the store's, never the clock's.
        files.push_back({QStringLiteral("equipe-") + v.slugs[team] + QStringLiteral(".ics"),
                         teamcalendar::toICalendar(season, store, team, v.moment)});
    }
    files.push_back({QStringLiteral("statistiques.html"), sitepages::statistics(v)});
    files.push_back({QStringLiteral("perspectives.html"), sitepages::outlook(v)});
    files.push_back({QStringLiteral("records.html"), sitepages::records(v)});
    files.push_back({QStringLiteral("cartons.html"), sitepages::cards(v)});
    files.push_back({QStringLiteral("classement.csv"), tableexport::toCsv(v.table)});
    if (pdf)
        files.push_back({QStringLiteral("classement.pdf"), pdf(v.table, v.moment)});
    files.push_back({QStringLiteral("donnees/saison.json"), sitejson::feed(v)});
    return files;
}

} // namespace site
