#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/displayedstandings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

// The league's static website, built whole in memory: the pages, the team
// calendars, the table's spreadsheet and PDF, the JSON feed and the style
// sheet. The same season, store and adjustments always give the same bytes.
namespace site {

struct File
{
    QString path; // relative to the site's folder, "/" between folders: "donnees/saison.json"
    QByteArray bytes;
};
using Files = std::vector<File>;

// Makes the table's PDF, dated `made` (the store's stamp) rather than by the
// clock. The drawing needs fonts, which live above this layer: the program
// hands in the PDF export's own function. Empty bytes when it fails.
using PdfMaker = std::function<QByteArray(const DisplayedStandings &shown, const QDateTime &made)>;

// Every file of the site, in a fixed order (style sheet, index, match days,
// teams, statistics and the rest). Without a PDF maker there is no
// classement.pdf.
Files build(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, const PdfMaker &pdf);

} // namespace site
