#include "online/core/downloader.h"

#include <QTimer>

void DownloadReply::abort()
{
    if (m_finished)
        return;
    emit abortRequested();
    finish({false, 0, {}, QStringLiteral("Téléchargement interrompu")});
}

void DownloadReply::reportProgress(qint64 received, qint64 total)
{
    if (!m_finished)
        emit progress(received, total);
}

void DownloadReply::finish(const DownloadResult &result)
{
    if (m_finished)
        return;
    m_finished = true;
    emit finished(result);
    deleteLater();
}

void DownloadReply::finishLater(const DownloadResult &result)
{
    QTimer::singleShot(0, this, [this, result] { finish(result); });
}
