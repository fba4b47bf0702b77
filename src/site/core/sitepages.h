#pragma once

#include "site/core/sitevalues.h"

#include <QByteArray>

// The pages of the website, each from the values of one generation. Every
// figure comes from the core function the window and the command line call
// for it; the pages only lay the figures out.
namespace sitepages {

QByteArray index(const SiteValues &v);
QByteArray matchDay(const SiteValues &v, MatchDayNo day);
QByteArray team(const SiteValues &v, TeamNo team);
QByteArray statistics(const SiteValues &v);
QByteArray outlook(const SiteValues &v);
QByteArray records(const SiteValues &v);
QByteArray cards(const SiteValues &v);

// The form as coloured letters (V, N, D), oldest first, each telling the
// match in its title.
QString formMarkup(const SiteValues &v, const formguide::Row &row);

} // namespace sitepages
