#pragma once

#include "online/core/downloader.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

// One upload of a file to the author's web server.
struct UploadRequest
{
    QUrl url;
    QByteArray body;
    // The server's version (ETag) of the copy the sender merged with: the
    // server refuses the upload (412) when its file has changed since.
    QByteArray ifMatch;
    // For a server that has no file yet: the upload is refused (412) when
    // another one created it meanwhile.
    bool onlyIfAbsent = false;
    QString user;
    QString password;
};

// Sends files to the author's web server, in the downloader's manner: the
// reply reports progress, finishes exactly once (its body is the server's
// answer, `etag` the new version when the server gives it) and may be
// aborted. The sending tool uses HTTP; the HTTP class is tested against a
// real server.
class Uploader : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Starts the upload; the reply belongs to the uploader.
    virtual DownloadReply *put(const UploadRequest &request) = 0;
};
