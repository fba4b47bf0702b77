#pragma once

#include "online/core/downloader.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

// Fetches the donors list into "don.K1" of the program folder. The local
// copy is replaced only by a sound answer, in one step; a failed fetch keeps
// the previous copy, so the panel can still show the names it had.
class DonorsFetch : public QObject
{
    Q_OBJECT
public:
    // Without a downloader every fetch fails, as with no network.
    DonorsFetch(const QString &programFolder, Downloader *downloader, QObject *parent = nullptr);
    ~DonorsFetch() override;

    QString localPath() const { return m_path; }
    bool isRunning() const { return m_running; }

    // Starts fetching from `server`; a new copy is dated `fetchedAt`, the
    // moment the program's clock gives, so its age is told by that clock.
    // False when a fetch is already running. `finished` follows once, never
    // from within start().
    [[nodiscard]] bool start(const QString &server, const QDateTime &fetchedAt);

signals:
    void finished(bool ok, const QString &error);

private:
    void conclude(const DownloadResult &result);

    QString m_path;
    Downloader *m_downloader;
    QPointer<DownloadReply> m_reply;
    QDateTime m_fetchedAt;
    bool m_running = false;
};
