#pragma once

#include "online/core/downloader.h"
#include "online/core/storemerge.h"

#include <QObject>
#include <QPointer>
#include <QString>

class ResultStore;

// Replaces the local results store by the copy published on the author's web
// server, for the window and for the command line alike. The store is never
// absent and never half-written: the download lands in memory, is checked,
// and only a sound results store replaces the file, in one locked step.
// While it runs a copy of the previous store waits as Resultats2013.BU.
// While the store is still byte for byte the one last downloaded, the
// update only asks whether it changed (storeversion.h): an unchanged store
// then costs a few hundred bytes, answered by any cache on the way.
class ResultsUpdate : public QObject
{
    Q_OBJECT
public:
    struct Outcome
    {
        bool ok = false;
        QString error;         // French, when it failed
        QString detail;        // the network layer's account of the failure, when it gave one
        QString previousStamp; // "Maj" of the store before the update
        QString stamp;         // "Maj" of the store after it (the same as before on failure)
        qint64 bytes = 0;      // size of the new store
        // The server said the store here is still the published one (304):
        // it stayed byte for byte as it was.
        bool upToDate = false;
        // The store files before and after, for telling the user what changed;
        // `newStore` is empty on failure.
        QByteArray previousStore;
        QByteArray newStore;
        // Results saved in this folder and never published that the
        // download lacks: the update kept the store and refused.
        QList<storemerge::Conflict> unpublished;
    };

    // Whether an update may replace results saved here and never published
    // (see publishedcopy.h). Kept, the update refuses and lists them; the
    // caller asks the user, then may start again replacing them.
    enum class Unpublished { Keep, Replace };

    // Without a downloader every update fails, as with no network.
    ResultsUpdate(ResultStore &store, Downloader *downloader, QObject *parent = nullptr);
    // An update still running is abandoned: the store stays as it was.
    ~ResultsUpdate() override;

    // Starts downloading from `server` ("http://host"). False, and nothing
    // happens, when an update is already running. `finished` follows once,
    // never from within start().
    [[nodiscard]] bool start(const QString &server, Unpublished unpublished = Unpublished::Keep);
    bool isRunning() const { return m_running; }

signals:
    void progress(qint64 received, qint64 total);
    void finished(const ResultsUpdate::Outcome &outcome);

private:
    void conclude(const DownloadResult &result);
    void removeBackup();

    ResultStore &m_store;
    Downloader *m_downloader;
    QPointer<DownloadReply> m_reply;
    bool m_running = false;
    Unpublished m_unpublished = Unpublished::Keep;
    QString m_previousStamp;
    QByteArray m_previousStore;
};
