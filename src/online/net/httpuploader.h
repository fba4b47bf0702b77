#pragma once

#include "online/core/uploader.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QSet>
#include <QSslCertificate>

// The sending tool's HTTP client: a PUT of the results store, conditional on
// the version the sender merged with (If-Match) or on there being no file
// yet (If-None-Match: *). The volunteer's name and password (basic
// authentication) go only once the server has asked for them (401), to that
// server only: an upload never follows a redirect. The server's refusals
// come back in French: a wrong password, an address that takes no upload, a
// file too large or refused by the server's check (its own reason), the
// file changed meanwhile (412, for the caller to merge again). A transfer
// that stalls or runs too long fails instead of hanging.
class HttpUploader final : public Uploader
{
    Q_OBJECT
public:
    explicit HttpUploader(DownloadLimits limits = {}, QObject *parent = nullptr);
    ~HttpUploader() override;

    // Authorities trusted over HTTPS besides the system's (see tlstrust.h).
    void setAuthorities(const QList<QSslCertificate> &authorities) { m_authorities = authorities; }

    DownloadReply *put(const UploadRequest &request) override;

    // What a refusal of the server says to the volunteer; `answer` is the
    // body of the server's answer.
    static QString refusal(int status, const QByteArray &answer = {});

private:
    void send(DownloadReply *reply, const UploadRequest &upload, bool withCredentials);

    DownloadLimits m_limits;
    QList<QSslCertificate> m_authorities;
    QNetworkAccessManager *m_manager;
    QSet<QString> m_askedForCredentials; // origins that asked for them
};
