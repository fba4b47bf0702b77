#pragma once

#include "season/core/inifile.h"
#include "season/core/matchrecord.h"
#include "season/core/season.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <utility>

// Per-team points adjustment, kept in single precision.
using BonusMalus = std::array<float, TeamCount>;

// The results store Resultats2013.ini of the program folder: scores and cards
// per fixture, points adjustments, the last-update stamp, the news line and
// the published version. Views read it each time they draw. It is the only
// writer of the file: a save of typed results, a send, an adjustment and a
// download go through its operations below, which announce every change
// (changed()) so that the views redraw.
class ResultStore : public QObject
{
    Q_OBJECT
public:
    static inline const QString FileName = QStringLiteral("Resultats2013.ini");
    static inline const QString BackupName = QStringLiteral("Resultats2013.BU");
    // The store as the folder last published or downloaded it, the base of
    // a volunteer's merge.
    static inline const QString PublishedCopyName = QStringLiteral("Resultats2013.serveur");
    // Every file the program keeps beside the store, the store first and each
    // lock after its file. They are the program's own: an export never
    // replaces one. A file the program starts keeping there joins this list.
    static const QStringList &keptFiles();

    // The sections of the file; the stamp, the news and the version are the
    // key of the same name in their own section. Nothing else spells them.
    static inline const QString ResultsSection = QStringLiteral("Resultats");
    static inline const QString BonusMalusSection = QStringLiteral("BonMal");
    static inline const QString StampSection = QStringLiteral("Maj");
    static inline const QString NewsSection = QStringLiteral("Texte");
    static inline const QString VersionSection = QStringLiteral("CV");

    // A fixture key and the result stored under it.
    using Result = std::pair<QString, MatchRecord>;
    // What a send publishes, in one step.
    struct Publication
    {
        QString stamp;
        QString news;
        QString version;
    };

    explicit ResultStore(const QString &programFolder, QObject *parent = nullptr);
    // A store read from bytes, with no file behind it: it reads like the
    // store those bytes would make and refuses every write.
    explicit ResultStore(IniFile::InMemory contents, QObject *parent = nullptr);

    QString path() const { return m_ini.path(); }
    // For reading only: every write goes through the operations below.
    const IniFile &ini() const { return m_ini; }
    // When false every read parses the file again; only the benchmark turns it off.
    void setCaching(bool enabled) { m_ini.setCaching(enabled); }

    MatchRecord match(const QString &fixtureKey) const;
    QString stamp() const;
    QString newsText() const;
    // The published version, `missing` when the store names none.
    QString version(const QString &missing = {}) const;

    // Fills `table` from "BonMal" for teams 0..19; an absent or empty key
    // leaves the entry as it was. Values are bounded to -999..999.
    void loadBonusMalus(BonusMalus &table) const;

    // The writes. Each is one locked step that stores all of it or, on
    // failure, nothing (the file stays as it was), and returns whether it is
    // in place; changed() follows a write that is.
    //
    // Typed results with the stamp of their save.
    [[nodiscard]] bool saveResults(const QString &stamp, const QList<Result> &results);
    // The stamp, news and version of a send.
    [[nodiscard]] bool publish(const Publication &publication);
    // A team's points adjustment, as typed (a whole number of points).
    [[nodiscard]] bool setAdjustment(TeamNo team, const QString &value);
    // The whole file, by a downloaded store.
    [[nodiscard]] bool replaceContents(const QByteArray &bytes);
    // The whole file, by what `replacement` makes of what it holds at that
    // moment (nothing when it cannot be read); no bytes refuse the change,
    // the same bytes leave the file as it is. `after` runs once the file
    // holds the new bytes. All of it under the lock that keeps every other
    // write out between the look and the replacement.
    using Replacement = std::function<std::optional<QByteArray>(const std::optional<QByteArray> &current)>;
    enum class Replaced { Done, Refused, Failed };
    [[nodiscard]] Replaced replaceContentsWith(const Replacement &replacement, const std::function<void()> &after);

    // What saveResults() and publish() write, for a preview of their outcome.
    static QList<IniFile::Entry> entriesOf(const QString &stamp, const QList<Result> &results);
    static QList<IniFile::Entry> entriesOf(const Publication &publication);

    // When the store is missing but a backup of an interrupted update is
    // there, puts the backup back. Returns whether it did.
    [[nodiscard]] bool restoreInterruptedUpdate();

    // The bytes of the store file, read whole when it is a regular file of
    // at most IniFile::MaxFileBytes; nothing when there is no store or it
    // cannot be read (a FIFO, a device, a folder, too large...).
    std::optional<QByteArray> fileBytes() const;

signals:
    void changed();

private:
    bool written(bool ok);

    QString m_folder;
    IniFile m_ini;
};
