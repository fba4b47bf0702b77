#pragma once

#include "online/core/downloader.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QUrl>

// A downloader that answers from a table instead of the network. Answers
// come from the event loop, as real ones do; with `hold` set they wait until
// the test releases them, so a test can look at the program mid-download.
class FakeDownloader final : public Downloader
{
public:
    using Downloader::get;
    DownloadReply *get(const QUrl &url, const DownloadFreshness &freshness) override
    {
        requested.append(url);
        asked.append(freshness);
        auto *reply = new DownloadReply(this);
        reply->setUrl(url);
        const DownloadResult result =
            answers.value(url.toString(), DownloadResult{false, 404, {}, QStringLiteral("Fichier absent")});
        if (hold)
            m_pending.append({reply, result});
        else
            reply->finishLater(result);
        return reply;
    }

    // Sets a successful answer for a URL.
    void serve(const QUrl &url, const QByteArray &body) { answers[url.toString()] = {true, 200, body, {}}; }
    void fail(const QUrl &url, const QString &error) { answers[url.toString()] = {false, 0, {}, error}; }

    int pending() const { return int(m_pending.size()); }
    // Finishes the held downloads.
    void release()
    {
        const auto held = m_pending;
        m_pending.clear();
        for (const auto &[reply, result] : held) {
            if (reply)
                reply->finish(result);
        }
    }

    QHash<QString, DownloadResult> answers;
    QList<QUrl> requested;
    QList<DownloadFreshness> asked; // what each request asked of the caches, in order
    bool hold = false;

private:
    QList<QPair<QPointer<DownloadReply>, DownloadResult>> m_pending;
};
