#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// The date rules of start-up, apart from any window so they can be tested
// with any "now".
namespace startup {

// The text form in which the program keeps a date-time among the user's
// settings ("Vset") and as the start time; it reads back with parseDateTime.
QString dateTimeText(const QDateTime &moment);
[[nodiscard]] std::optional<QDateTime> parseDateTime(const QString &text);

// A results store more than 10 days old (or missing) is worth refreshing, but
// only while the season still has a match day to come.
bool staleDataOfferDue(const QDateTime &now, const std::optional<QDateTime> &storeModified, const QDate &lastMatchDay);

QString staleDataTitle();
QString staleDataQuestion();

// The donors list is fetched again on a Friday start when the last fetch
// ("-" for never) is more than a day old.
bool donorsRefreshDue(const QDateTime &now, const QString &lastFetch);

} // namespace startup
