#pragma once

#include "site/core/sitevalues.h"

#include <QByteArray>
#include <QString>

// The season for other programs and apps, "donnees/saison.json": UTF-8, its
// keys in French and in a fixed order (the README lists them), the general
// table and the outlook in table order, points as JSON numbers (87, or 87.5
// where an adjustment gives a fraction), a goals field without a score null.
namespace sitejson {

QByteArray feed(const SiteValues &v);

// A JSON string: quotes, backslashes and control characters escaped.
QString string(const QString &text);

} // namespace sitejson
