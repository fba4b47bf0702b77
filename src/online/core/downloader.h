#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

// Moves files from the author's web server. The program uses HTTP; logic
// tests use a fake, and the HTTP class is tested against a local server.
// A request is asynchronous: the window stays responsive while it runs.
class Downloader : public QObject
{
    Q_OBJECT
public:
    struct Result
    {
        bool ok = false;    // a complete answer with a success status
        int status = 0;     // HTTP status, 0 when none arrived
        QByteArray body;
        QString error;      // what went wrong, for the user, in French
    };

    using QObject::QObject;
    // Starts fetching `url`; `finished` follows, once.
    virtual void get(const QUrl &url) = 0;

signals:
    void finished(const QUrl &url, const Downloader::Result &result);
    void progress(qint64 received, qint64 total);
};
