#pragma once

#include "site/core/sitevalues.h"

#include <QString>

// A team's rank after each match day as a chart drawn in the page (SVG, no
// script), rank 1 on top, the zones shaded, with a text alternative: a
// summary the chart announces and the table of ranks beside it.
namespace rankchart {

// The figure: the chart, its caption and the detail table. Empty when the
// history holds no match day.
QString markup(const SiteValues &v, TeamNo team);

} // namespace rankchart
