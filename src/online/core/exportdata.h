#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The export panel's logic: the points adjustments as listed and typed, and
// what "Envoyer" writes into the store before the sending tool ships it.
namespace exportdata {

// Adjustments beyond this many points are typing mistakes, not penalties.
constexpr int MaxAdjustment = 99;

// One line per team with an adjustment: "Name: [-3]".
QStringList adjustmentLines(const Season &season, const BonusMalus &bonusMalus);

// The whole part, rounded down, of an adjustment as typed: "-2.5" and "-2,5"
// give -3, "2,7" gives 2. Empty for anything but a number within
// ±MaxAdjustment.
std::optional<int> wholeAdjustment(const QString &typed);

// The news line as it is published: accents the sending step cannot carry
// folded away.
QString publishedNews(const QString &typed);

// The stamp, the news as published and the version "Envoyer" writes together.
ResultStore::Publication publication(const QString &news, const QString &version, const QDateTime &now);

inline const QString SendFailedTitle = QStringLiteral("Envoyer");
inline const QString SendFailedText = QStringLiteral(
    "La nouvelle, la date de mise à jour et la version n'ont pas pu être enregistrées dans Resultats2013.ini.\n"
    "Le fichier n'est pas envoyé : corrigez le problème puis appuyez de nouveau sur \"Envoyer\".");
inline const QString ToolMissingText = QStringLiteral(
    "L'outil d'envoi Porvex est absent du dossier du programme : le fichier est prêt mais n'a pas été envoyé.");
inline const QString ToolFailedText =
    QStringLiteral("L'outil d'envoi Porvex n'a pas pu être lancé : le fichier est prêt mais n'a pas été envoyé.");
inline const QString AdjustmentTitle = QStringLiteral("Bonus - Malus");
QString adjustmentRejectedText(const QString &typed);
inline const QString AdjustmentFailedText =
    QStringLiteral("L'ajustement n'a pas pu être enregistré dans Resultats2013.ini.");

} // namespace exportdata
