#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// Where the program keeps its season, its results store and what it
// downloads. A copy run from its build folder, or unpacked in a folder of its
// own, keeps them beside the executable, as the program always did; an
// installed copy, whose folder is shared and read-only, keeps them in a
// per-user data folder seeded from the installed season on first start.
namespace programfolder {

// What the decision looks at; the machine's own answers come from
// placesOfThisMachine(), tests give theirs.
struct Places
{
    QString commandLine; // --data-dir: wins when given
    QString executableFolder;
    QStringList installedSeason; // folders that may hold an installed season, first found wins
    QString userFolder;          // the per-user data folder
    std::function<bool(const QString &path)> isWritable;
    QDateTime now; // names the copy kept aside when two stores are made one
    // What the previous start remembered (per-user settings, Choice below):
    QString rememberedFolder; // the folder whose store was in use
    QString toldDifference;   // the two differing stores the user was last told about
};

struct Choice
{
    QString path;
    bool seeded = false; // season or store copied into the user folder just now
    QString warning;     // French, when the user folder could not be prepared
    // French, when the executable's folder and the user folder hold two
    // results stores that differ: which one is used. Told once: empty when
    // the same difference was told before (Places::toldDifference).
    QString notice;
    // To remember until the next start: the folder chosen (empty when there
    // was no choice to make) and the difference found (empty when none).
    QString rememberFolder;
    QString difference;
};

// The program folder. The store lives where it lived: when the executable's
// folder holds the season, the folder that holds the only results store, or
// the newer of two that differ (the one used last when their times are
// equal), is chosen whatever the executable's folder's permissions say now,
// so that a folder turned read-only, then writable again, never brings back
// an older store. When the newer store lies in the executable's folder and
// that folder may not be written, it is copied into the user folder, the
// user's older one kept aside as "Resultats2013-ancien-AAAAMMJJ-HHMMSS.ini".
// Otherwise: the executable's folder when it holds the season and the
// program may write there; else the user folder, into which the season and
// the results store are copied when missing (never over the user's own, nor
// over a backup left by an interrupted update). When the user folder cannot
// be made, the season is read where it lies.
Choice choose(const Places &places);

// The places of this machine (QCoreApplication must exist): the installed
// season beside the executable's share folder and in the system's data
// folders, and QStandardPaths::AppDataLocation.
Places placesOfThisMachine(const QString &commandLine, const QDateTime &now);

} // namespace programfolder
