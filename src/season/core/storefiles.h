#pragma once

#include <QString>

// The names of the files the program keeps in its folder beside the season:
// the results store and what goes with it. Every part of the program that
// names one of them takes the name from here.
namespace storefiles {

inline const QString Season = QStringLiteral("2013.txt");
inline const QString Store = QStringLiteral("Resultats2013.ini");
// The store as it stood when an update began, until the update ends.
inline const QString Backup = QStringLiteral("Resultats2013.BU");
// The store as the folder last published or downloaded it, the base of a
// volunteer's merge.
inline const QString PublishedCopy = QStringLiteral("Resultats2013.serveur");
// The version of the store last downloaded, with a digest of its bytes.
inline const QString Version = QStringLiteral("Resultats2013.etag");
// Follows the name of a file whose writers take a lock beside it.
inline const QString LockSuffix = QStringLiteral(".lock");

} // namespace storefiles
