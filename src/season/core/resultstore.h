#pragma once

#include "season/core/inifile.h"
#include "season/core/matchrecord.h"
#include "season/core/season.h"
#include "season/core/storefiles.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

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
// (changed()) so that the views redraw. Once watched (watchFile()), a change
// made by another process (the sending tool merging, a scheduled update, a
// second window) is announced too.
class ResultStore : public QObject
{
    Q_OBJECT
public:
    static inline const QString &FileName = storefiles::Store;
    static inline const QString &BackupName = storefiles::Backup;
    static inline const QString &PublishedCopyName = storefiles::PublishedCopy;
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
    // Copies the store as it is now to its backup (BackupName), which is
    // replaced in one step or not at all, and returns the bytes copied;
    // nothing when the store cannot be read whole or the copy not written.
    std::optional<QByteArray> keepBackup();
    void removeBackup();

    // The bytes of the store file, read whole when it is a regular file of
    // at most IniFile::MaxFileBytes; nothing when there is no store or it
    // cannot be read (a FIFO, a device, a folder, too large...).
    std::optional<QByteArray> fileBytes() const;

    // From now on a change of the file by anyone else is announced, a short
    // while after the file settles: changed(), then changedElsewhere(). A
    // file that cannot be read, or holds no store, is passed over until its
    // next change, so a file caught half-written never empties the views.
    void watchFile();
    // How long the file must stay quiet before it is looked at.
    static constexpr int SettleMs = 200;

    // What a change may have touched: the results and adjustments, or only
    // the stamp, news and version a send publishes.
    enum class Change { Results, Publication };
    Q_ENUM(Change)

signals:
    void changed(ResultStore::Change what);
    // After changed(), when the change came from outside this store object.
    void changedElsewhere();

private:
    bool written(bool ok, Change what = Change::Results);
    void fileTouched();
    void lookAtFile();

    QString m_folder;
    IniFile m_ini;
    // The watch, made by watchFile(); none for a store that is not watched.
    QObject *m_watcher = nullptr;
    QTimer m_settle;
    // The bytes the views were last told of: the file as this object last
    // wrote it or last took it in. A look that finds them again is our own
    // write coming back, or a touch that changed nothing.
    std::optional<QByteArray> m_known;
};
