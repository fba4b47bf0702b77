#include "online/core/donorsfetch.h"

#include "online/core/donorslist.h"
#include "season/core/safefile.h"

#include <QDir>
#include <QFile>
#include <QTimer>

DonorsFetch::DonorsFetch(const QString &programFolder, Downloader *downloader, QObject *parent)
    : QObject(parent)
    , m_path(QDir(programFolder).filePath(donorslist::FileName))
    , m_downloader(downloader)
{}

DonorsFetch::~DonorsFetch()
{
    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
    }
}

bool DonorsFetch::start(const QString &server, const QDateTime &fetchedAt)
{
    if (m_running)
        return false;
    m_running = true;
    m_fetchedAt = fetchedAt;
    if (!m_downloader) {
        QTimer::singleShot(0, this, [this] { conclude({false, 0, {}, QStringLiteral("Pas d'accès au réseau")}); });
        return true;
    }
    m_reply = m_downloader->get(donorslist::listUrl(server));
    connect(m_reply, &DownloadReply::finished, this, &DonorsFetch::conclude);
    return true;
}

void DonorsFetch::conclude(const DownloadResult &result)
{
    m_reply = nullptr;
    m_running = false;
    QString error = result.ok ? donorslist::listProblem(result.body) : result.error;
    if (!result.ok && error.isEmpty())
        error = QStringLiteral("Échec du téléchargement");
    if (error.isEmpty()) {
        if (safefile::replace(m_path, result.body)) {
            QFile dated(m_path);
            if (m_fetchedAt.isValid() && dated.open(QIODevice::ReadWrite))
                dated.setFileTime(m_fetchedAt, QFileDevice::FileModificationTime);
        } else {
            error = QStringLiteral("Impossible d'enregistrer la liste des donateurs");
        }
    }
    emit finished(error.isEmpty(), error);
}
