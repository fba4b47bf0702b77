#pragma once

#include "online/core/downloader.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QSslCertificate>

// The program's one HTTP client: downloads with Qt Network, keeping nothing
// on this side and asking the caches on the way for what DownloadFreshness
// says, within the limits: a stalled or endless transfer, or a body too large for our files,
// fails instead of hanging or filling memory.
class HttpDownloader final : public Downloader
{
    Q_OBJECT
public:
    explicit HttpDownloader(DownloadLimits limits = {}, QObject *parent = nullptr);
    ~HttpDownloader() override;

    const DownloadLimits &limits() const { return m_limits; }
    void setLimits(const DownloadLimits &limits) { m_limits = limits; }

    // Authorities trusted over HTTPS besides the system's (see tlstrust.h).
    void setAuthorities(const QList<QSslCertificate> &authorities) { m_authorities = authorities; }
    // Those of the PEM file `path` (--ca, or the setting); none for an empty
    // path. A file that holds none makes every download fail with the
    // reason, rather than trust the system's authorities alone: false then.
    bool trustAuthoritiesOf(const QString &path);

    using Downloader::get;
    DownloadReply *get(const QUrl &url, const DownloadFreshness &freshness) override;

private:
    DownloadLimits m_limits;
    QList<QSslCertificate> m_authorities;
    QString m_trustProblem;
    QNetworkAccessManager *m_manager;
};
