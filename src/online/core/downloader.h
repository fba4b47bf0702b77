#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

// What one download brought back.
struct DownloadResult
{
    bool ok = false;      // a complete answer with a success status, within the limits
    int status = 0;       // HTTP status, 0 when none arrived
    QByteArray body;      // the whole body when ok, empty otherwise
    QString error;        // what went wrong, in our own French words, for messages and the command line
    QString detail{};     // the network layer's own account of a failure (English), for --verbose
    QByteArray etag = {}; // the server's version of the file (ETag), when it gives one

    // The server (or a cache for it) says the copy asked about is still the
    // published one: `ok`, and no body. Only ever the answer to a request
    // that named its copy (DownloadFreshness::ifNoneMatch).
    bool notModified() const { return ok && status == 304; }
};

// What a download asks of the caches between the program and the server.
struct DownloadFreshness
{
    // Every cache on the way checks its copy with the server before it
    // answers: a volunteer's send merges with the store as published this
    // very moment. Without it a shared cache may answer from its copy for
    // the few seconds the server allows, which spares the server when a
    // whole league updates at once.
    bool revalidate = false;
    // The version (ETag) of the copy already here: while it is still the
    // published one the answer is 304, without the file.
    QByteArray ifNoneMatch = {};
};

// The bounds every download keeps, so that none hangs the program or fills
// its memory with an answer that cannot be a file of ours.
struct DownloadLimits
{
    int stallMs = 20 * 1000;       // no progress for this long: failure
    int totalMs = 60 * 1000;       // a transfer running longer: failure
    qint64 maxBytes = 1024 * 1024; // a larger body: failure
};

// One download under way. The downloader reports its progress and finishes it
// exactly once, never before get() has returned; the reply then deletes
// itself. Whoever asked may abort it.
class DownloadReply : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url) { m_url = url; }

    // Stops the download: `finished` follows at once with a failure, unless
    // it has already come.
    void abort();

    // For downloaders.
    void reportProgress(qint64 received, qint64 total);
    void finish(const DownloadResult &result);
    // The same, from the event loop: for answers known before get() returns.
    void finishLater(const DownloadResult &result);

signals:
    void progress(qint64 received, qint64 total);
    void finished(const DownloadResult &result);
    // The downloader stops its transfer on this.
    void abortRequested();

private:
    QUrl m_url;
    bool m_finished = false;
};

// Moves files from the author's web server. The program uses HTTP; logic
// tests use a fake, and the HTTP class is tested against a local server.
// A request is asynchronous: the window stays responsive while it runs.
class Downloader : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Starts fetching `url` (the current copy, or what a shared cache may
    // answer in its stead, as `freshness` says). The reply belongs to the
    // downloader.
    virtual DownloadReply *get(const QUrl &url, const DownloadFreshness &freshness) = 0;
    DownloadReply *get(const QUrl &url) { return get(url, {}); }
};
