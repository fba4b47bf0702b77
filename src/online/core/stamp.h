#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The "Maj" stamp of the results store: the moment of the last save or send,
// "DD mmm hh:mm" with the French abbreviated month ("05 déc. 20:00"). The
// stamp carries no year; a reader supplies the one it assumes.
namespace stamp {

QString format(const QDateTime &moment);

// Reads a stamp back in the given year. Accepts the abbreviations with or
// without their dot, with or without accents, in any case, and the full
// month names, so stamps written by other tools read too. Empty when the text
// is not a stamp.
[[nodiscard]] std::optional<QDateTime> parse(const QString &text, int year);

} // namespace stamp
