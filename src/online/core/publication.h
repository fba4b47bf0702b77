#pragma once

#include "online/core/credentials.h"
#include "online/core/downloader.h"
#include "online/core/storemerge.h"
#include "online/core/uploader.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

// One send of a folder's results store to the author's web server, for the
// sending tool's window and its command line alike:
// 0. the password goes over HTTPS only, or to this machine, unless the
//    league accepts plain HTTP (credentials::channelProblem);
// 1. the store is checked with the update's own rules: what an update would
//    refuse is never published;
// 2. the published store is downloaded with its version (ETag), every cache
//    on the way asked to check with the server first, and merged
//    with this folder's (storemerge.h), from the copy kept beside the store
//    (publishedcopy.h);
// 3. conflicts nobody decided stop the send: nothing is published;
// 4. the merged store is uploaded on condition that the server's copy is
//    still the one merged with; when another volunteer published meanwhile
//    (412) the send goes back to 2, a bounded number of times; the version
//    goes back as the server made it (without a cache's "W/" or "-gzip"),
//    and a server that keeps refusing a version that has not changed is
//    told as a cache or proxy that alters it;
// 5. once published, the folder's store becomes the merged one and the kept
//    copy the published one, under the store's lock; a save made during the
//    send is kept on top.
// Nothing in the folder changes before the server has the new store, so a
// send stopped at any point (even killed) leaves the folder as it was.
class Publication : public QObject
{
    Q_OBJECT
public:
    enum class Status { Published, Failed, Conflicts };

    struct Settings
    {
        QString storePath; // Resultats2013.ini of the folder
        QString server;    // "http://host"
        Credentials credentials;
        storemerge::Choices choices;
        int maxAttempts = 8;
        // The league knowingly lets the password go over plain HTTP.
        bool plainHttpAllowed = false;
    };

    struct Outcome
    {
        Status status = Status::Failed;
        QString message; // French, what happened
        QString warning; // French, what could not be done after publishing (in the folder, or the server's site)
        int resultsFromOthers = 0;             // results the folder received from other volunteers
        QList<storemerge::Conflict> conflicts; // left undecided (Status::Conflicts)
        int attempts = 0;                      // uploads tried
        bool alreadyPublished = false;         // the server had everything: nothing was uploaded
    };

    // The sending tool's exit status: 0 published, 1 failure, 3 conflicts.
    static int exitStatus(Status status);

    Publication(Settings settings, Downloader *downloader, Uploader *uploader, QObject *parent = nullptr);
    // A send still running is abandoned: the folder stays as it was.
    ~Publication() override;

    // `finished` follows once, never from within start().
    void start();
    // Starts, then waits for the end in an event loop of its own: for
    // callers that have no window (the command line, the benchmark).
    Outcome run();

signals:
    void stepChanged(const QString &step);
    void finished(const Publication::Outcome &outcome);

private:
    void download();
    void downloaded(const DownloadResult &result);
    void uploaded(const DownloadResult &result);
    void commit();
    void fail(const QString &message);
    void finish();

    Settings m_settings;
    Downloader *m_downloader;
    Uploader *m_uploader;
    QPointer<DownloadReply> m_reply;
    Outcome m_outcome;
    bool m_done = false;
    QByteArray m_mine;
    QByteArray m_base;
    QByteArray m_theirs;
    QByteArray m_merged;
    QByteArray m_sentVersion;    // the If-Match of the last upload
    QByteArray m_refusedVersion; // the same, when the server answered 412
    int m_unchangedRefusals = 0; // 412s in a row on a file that had not changed
    QString m_serverNote;        // what the server said after publishing, beyond "Publié."
};
