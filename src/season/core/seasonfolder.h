#pragma once

#include "season/core/folderpreparation.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QTextStream;

// The season and the results store of a program folder, opened the way the
// window opens them, for the command line's printers and exports: one place
// that reads the season file, prepares the folder (an interrupted update put
// back, leftovers of killed saves removed), checks that the store reads and
// loads the points adjustments.
class SeasonFolder
{
public:
    // Null when the folder cannot be used; the French reason is written to
    // `err` and `status` receives the exit status: 2 for a season file that
    // is missing or unusable, 1 for a store that is there but cannot be read.
    // `backupCheck` judges the backup of an interrupted update before it is
    // put back (see prepareProgramFolder).
    [[nodiscard]] static std::unique_ptr<SeasonFolder> open(const QString &programFolder, const QDateTime &now,
                                                            QTextStream &err, int &status,
                                                            const StoreCheck &backupCheck = {});

    // The same season and store for an action that writes nothing in the
    // folder, not even a lock: the store is read once, as it stands, and kept
    // in memory, so a store replaced meanwhile cannot mix two versions. The
    // folder is not mended: a backup of an interrupted update waiting for a
    // missing store is an error (status 1), not a season without results.
    [[nodiscard]] static std::unique_ptr<SeasonFolder> openForReading(const QString &programFolder, QTextStream &err,
                                                                      int &status);

    QString path() const { return m_folder; }
    const Season &season() const { return m_season; }
    ResultStore &store() { return *m_store; }
    const ResultStore &store() const { return *m_store; }
    const BonusMalus &bonusMalus() const { return m_bonusMalus; }

private:
    SeasonFolder() = default;

    QString m_folder;
    Season m_season;
    std::unique_ptr<ResultStore> m_store;
    BonusMalus m_bonusMalus{};
};

namespace commandline {
// Reads the --matchday argument: empty means the whole season (0), otherwise
// a match day 1..38. On a bad value writes the French reason to `err` and
// returns -1.
int matchDayArgument(const QString &argument, QTextStream &err);
// The same for any whole number 1..max: `whenEmpty` for an empty argument;
// on a bad value writes "<what> invalide : …" to `err` and returns -1.
int countArgument(const QString &argument, int whenEmpty, int max, const QString &what, QTextStream &err);
} // namespace commandline
