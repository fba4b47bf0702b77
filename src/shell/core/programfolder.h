#pragma once

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
    QString commandLine;         // --data-dir: wins when given
    QString executableFolder;
    QStringList installedSeason; // folders that may hold an installed season, first found wins
    QString userFolder;          // the per-user data folder
    std::function<bool(const QString &path)> isWritable;
};

struct Choice
{
    QString path;
    bool seeded = false; // season or store copied into the user folder just now
    QString warning;     // French, when the user folder could not be prepared
};

// The program folder. The executable's folder when it holds the season and
// the program may write there; otherwise the user folder, into which the
// season and the results store are copied when missing (never over the
// user's own, nor over a backup left by an interrupted update). When the
// user folder cannot be made, the season is read where it lies.
Choice choose(const Places &places);

// The places of this machine (QCoreApplication must exist): the installed
// season beside the executable's share folder and in the system's data
// folders, and QStandardPaths::AppDataLocation.
Places placesOfThisMachine(const QString &commandLine);

} // namespace programfolder
