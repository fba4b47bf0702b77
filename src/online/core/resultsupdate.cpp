#include "online/core/resultsupdate.h"

#include "online/core/publishedcopy.h"
#include "online/core/storeversion.h"
#include "online/core/updaterules.h"
#include "season/core/resultstore.h"

#include <QTimer>

#include <utility>

ResultsUpdate::ResultsUpdate(ResultStore &store, Downloader *downloader, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_downloader(downloader)
{}

ResultsUpdate::~ResultsUpdate()
{
    if (!m_running)
        return;
    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
    }
    removeBackup();
}

bool ResultsUpdate::start(const QString &server, Unpublished unpublished)
{
    if (m_running)
        return false;
    m_running = true;
    m_unpublished = unpublished;
    m_previousStamp = m_store.stamp();

    // The previous store stays in place; the backup is a copy, so that a
    // program stopped at any moment still finds a store. A backup of an
    // earlier update goes first: it would pass for this one's.
    removeBackup();
    m_previousStore.clear();
    // Read only as a regular file of a store's size: a FIFO or a device in
    // its place would hold the update for ever.
    if (const std::optional<QByteArray> current = m_store.fileBytes()) {
        m_previousStore = *current;
        static_cast<void>(m_store.keepBackup());
    }

    if (!m_downloader) {
        QTimer::singleShot(0, this, [this] { conclude({false, 0, {}, QStringLiteral("Pas d'accès au réseau")}); });
        return true;
    }
    // Only a store read whole here can be named: a missing or unreadable one
    // is downloaded whole.
    const QByteArray condition =
        m_previousStore.isEmpty() ? QByteArray() : storeversion::conditionFor(m_store.path(), m_previousStore);
    m_reply = m_downloader->get(updaterules::storeUrl(server),
                                {false, condition.isEmpty() ? QByteArray() : storeversion::ifNoneMatch(condition)});
    connect(m_reply, &DownloadReply::progress, this, &ResultsUpdate::progress);
    connect(m_reply, &DownloadReply::finished, this, &ResultsUpdate::conclude);
    return true;
}

void ResultsUpdate::conclude(const DownloadResult &result)
{
    m_reply = nullptr;
    Outcome outcome;
    outcome.previousStamp = m_previousStamp;
    if (!result.ok) {
        outcome.error = result.error.isEmpty() ? QStringLiteral("Échec du téléchargement") : result.error;
        outcome.detail = result.detail;
    } else if (result.notModified()) {
        // Nothing to write: the store stays as it is, a save made during
        // the request included.
        outcome.ok = true;
        outcome.upToDate = true;
        outcome.bytes = m_previousStore.size();
        outcome.newStore = m_previousStore;
    } else if (const QString problem = updaterules::storeProblem(result.body); !problem.isEmpty()) {
        outcome.error = problem;
    } else {
        // What is unpublished is judged on the store as it is now, under the
        // lock, so that a save made during the download counts too; the
        // copy kept beside the store follows the store under the same lock.
        const auto downloaded = [&](const std::optional<QByteArray> &current) -> std::optional<QByteArray> {
            if (current && m_unpublished == Unpublished::Keep)
                outcome.unpublished =
                    publishedcopy::unpublishedResults(*current, publishedcopy::read(m_store.path()), result.body);
            if (!outcome.unpublished.isEmpty())
                return std::nullopt;
            return result.body;
        };
        const auto keepCopy = [&] {
            publishedcopy::keep(m_store.path(), result.body);
            storeversion::keep(m_store.path(), result.etag, result.body);
        };
        switch (m_store.replaceContentsWith(downloaded, keepCopy)) {
        case ResultStore::Replaced::Refused:
            outcome.error = publishedcopy::refusal(outcome.unpublished.size());
            break;
        case ResultStore::Replaced::Failed:
            outcome.error =
                QStringLiteral("Impossible d'enregistrer le fichier de résultats dans le dossier du programme");
            break;
        case ResultStore::Replaced::Done:
            outcome.ok = true;
            outcome.bytes = result.body.size();
            outcome.newStore = result.body;
            break;
        }
    }
    outcome.previousStore = std::exchange(m_previousStore, {});
    outcome.stamp = m_store.stamp();
    removeBackup();
    m_running = false;
    emit finished(outcome);
}

void ResultsUpdate::removeBackup()
{
    m_store.removeBackup();
}
