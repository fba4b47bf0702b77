#pragma once

#include "season/core/inifile.h"
#include "season/core/matchrecord.h"
#include "season/core/season.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

// Per-team points adjustment, kept in single precision.
using BonusMalus = std::array<float, TeamCount>;

// The results store Resultats2013.ini of the program folder: scores and cards
// per fixture, points adjustments, the last-update stamp, the news line and
// the published version. Views read it each time they draw; whoever writes it
// (a save, an adjustment, a download) calls notifyChanged() so they redraw.
class ResultStore : public QObject
{
    Q_OBJECT
public:
    static inline const QString FileName = QStringLiteral("Resultats2013.ini");
    static inline const QString BackupName = QStringLiteral("Resultats2013.BU");

    explicit ResultStore(const QString &programFolder, QObject *parent = nullptr);
    // A store read from bytes, with no file behind it: it reads like the
    // store those bytes would make and refuses every write.
    explicit ResultStore(IniFile::InMemory contents, QObject *parent = nullptr);

    QString path() const { return m_ini.path(); }
    IniFile &ini() { return m_ini; }
    const IniFile &ini() const { return m_ini; }

    MatchRecord match(const QString &fixtureKey) const;
    bool writeMatch(const QString &fixtureKey, const MatchRecord &record);

    QString stamp() const;    // "Maj"/"Maj"
    QString newsText() const; // "Texte"/"Texte"
    QString version() const;  // "CV"/"CV"

    // Fills `table` from "BonMal" for teams 0..19; an absent or empty key
    // leaves the entry as it was. Values are bounded to -999..999.
    void loadBonusMalus(BonusMalus &table) const;
    bool writeBonusMalus(TeamNo team, const QString &value);

    // When the store is missing but a backup of an interrupted update is
    // there, puts the backup back. Returns whether it did.
    bool restoreInterruptedUpdate();

    // The bytes of the store file, read whole when it is a regular file of
    // at most IniFile::MaxFileBytes; nothing when there is no store or it
    // cannot be read (a FIFO, a device, a folder, too large...).
    std::optional<QByteArray> fileBytes() const;

    void notifyChanged() { emit changed(); }

signals:
    void changed();

private:
    QString m_folder;
    IniFile m_ini;
};
