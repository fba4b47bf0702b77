#include "online/net/httpdownloader.h"

#include "online/net/replylink.h"
#include "online/net/tlstrust.h"
#include "season/core/textutil.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace {

// What one transfer keeps between the signals of its network reply.
struct Transfer
{
    QByteArray body;
    QString failure; // set when the transfer is stopped on purpose
    qint64 expected = -1;
};

// A request as `freshness` asks. No cache on our side. On the way, a
// follower's request lets a shared cache answer for the few seconds the
// server allows (no reload header), and names the copy already here so that
// an unchanged store costs a 304 of a few hundred bytes; a volunteer's asks
// every cache to check with the server first (max-age=0: revalidation,
// which a cache answers with a 304 from the server rather than the file).
QNetworkRequest requestFor(const QUrl &url, const DownloadFreshness &freshness)
{
    QNetworkRequest request(url);
    if (freshness.revalidate)
        request.setRawHeader("Cache-Control", "max-age=0");
    if (!freshness.ifNoneMatch.isEmpty())
        request.setRawHeader("If-None-Match", freshness.ifNoneMatch);
    // The file exactly as stored: its version (ETag), which a send gives
    // back to the server, is then the stored file's own and not that of a
    // compressed copy made on the way.
    request.setRawHeader("Accept-Encoding", "identity");
    // PreferNetwork, not AlwaysNetwork: the latter has Qt add "no-cache"
    // reload headers, which make every cache on the way fetch the whole file.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    return request;
}

// Keeps the transfer within its limits (silence, total time, size) and
// passes the body and the progress on; a limit reached, or an abort asked
// for, stops the transfer with its reason.
void watchTransfer(DownloadReply *reply, QNetworkReply *net, const std::shared_ptr<Transfer> &transfer,
                   const DownloadLimits &limits)
{
    auto *stall = new QTimer(reply);
    stall->setSingleShot(true);
    stall->start(limits.stallMs);
    auto *whole = new QTimer(reply);
    whole->setSingleShot(true);
    whole->start(limits.totalMs);

    const auto stop = [net, transfer](const QString &why) {
        if (transfer->failure.isEmpty())
            transfer->failure = why;
        net->abort();
    };
    QObject::connect(stall, &QTimer::timeout, net, [stop, limits] {
        stop(QStringLiteral("Le serveur ne répond plus (rien reçu depuis %1 s)")
                 .arg(text::frenchLocale().toString(limits.stallMs / 1000.0)));
    });
    QObject::connect(whole, &QTimer::timeout, net, [stop, limits] {
        stop(QStringLiteral("Téléchargement trop long (plus de %1 s)")
                 .arg(text::frenchLocale().toString(limits.totalMs / 1000.0)));
    });
    QObject::connect(reply, &DownloadReply::abortRequested, net,
                     [stop] { stop(QStringLiteral("Téléchargement interrompu")); });
    // Nothing ignores the errors: the connection fails, with this reason.
    QObject::connect(net, &QNetworkReply::sslErrors, reply,
                     [transfer](const QList<QSslError> &errors) { transfer->failure = tlstrust::refusal(errors); });
    QObject::connect(net, &QNetworkReply::metaDataChanged, reply, [net, transfer, stop, limits] {
        const QVariant length = net->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid()) {
            transfer->expected = length.toLongLong();
            if (transfer->expected > limits.maxBytes)
                stop(QStringLiteral("Fichier trop volumineux (%1 octets)").arg(transfer->expected));
        }
    });
    QObject::connect(net, &QNetworkReply::readyRead, reply, [net, transfer, stop, stall, limits] {
        transfer->body += net->readAll();
        stall->start(limits.stallMs);
        if (transfer->body.size() > limits.maxBytes)
            stop(QStringLiteral("Fichier trop volumineux (plus de %1 octets)").arg(limits.maxBytes));
    });
    QObject::connect(net, &QNetworkReply::downloadProgress, reply,
                     [reply, stall, limits](qint64 received, qint64 total) {
                         stall->start(limits.stallMs);
                         reply->reportProgress(received, total);
                     });
}

// The verdict on a finished transfer: the first reason it failed, or its body.
DownloadResult outcomeOf(QNetworkReply *net, const Transfer &transfer, const DownloadLimits &limits, bool conditional)
{
    DownloadResult result;
    result.status = net->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.etag = net->rawHeader("ETag");
    if (!transfer.failure.isEmpty()) {
        result.error = transfer.failure;
    } else if (net->error() != QNetworkReply::NoError) {
        result.error = replylink::failureText(net->error(), result.status);
        result.detail = QStringLiteral("QNetworkReply %1 : %2").arg(int(net->error())).arg(net->errorString());
    } else if (result.status == 304 && conditional) {
        result.ok = true; // the copy named is still the published one
    } else if (result.status < 200 || result.status > 299) {
        result.error = QStringLiteral("Réponse inattendue du serveur (HTTP %1)").arg(result.status);
    } else if (const QByteArray coding = net->rawHeader("Content-Encoding").trimmed().toLower();
               !coding.isEmpty() && coding != "identity") {
        // Compressed although the file was asked for as stored.
        result.error = replylink::failureText(QNetworkReply::UnknownContentError, result.status);
        result.detail = QStringLiteral("Content-Encoding: %1").arg(QString::fromLatin1(coding));
    } else if (transfer.expected >= 0 && transfer.body.size() != transfer.expected) {
        result.error = QStringLiteral("Fichier reçu incomplet (%1 octets sur %2)")
                           .arg(transfer.body.size())
                           .arg(transfer.expected);
    } else if (transfer.body.size() > limits.maxBytes) {
        result.error = QStringLiteral("Fichier trop volumineux (plus de %1 octets)").arg(limits.maxBytes);
    } else {
        result.ok = true;
        result.body = transfer.body;
    }
    return result;
}

} // namespace

HttpDownloader::HttpDownloader(DownloadLimits limits, QObject *parent)
    : Downloader(parent)
    , m_limits(limits)
    , m_manager(new QNetworkAccessManager(this))
{
    // Nothing is kept here: every request goes out (a shared cache on the
    // way may answer it, as the request allows).
    m_manager->setCache(nullptr);
}

HttpDownloader::~HttpDownloader()
{
    // Replies still running end as failures before the manager goes.
    for (DownloadReply *reply : findChildren<DownloadReply *>(QString(), Qt::FindDirectChildrenOnly))
        reply->abort();
}

bool HttpDownloader::trustAuthoritiesOf(const QString &path)
{
    m_authorities.clear();
    m_trustProblem.clear();
    if (path.isEmpty())
        return true;
    m_authorities = tlstrust::load(path, &m_trustProblem);
    return m_trustProblem.isEmpty();
}

DownloadReply *HttpDownloader::get(const QUrl &url, const DownloadFreshness &freshness)
{
    auto *reply = new DownloadReply(this);
    reply->setUrl(url);
    if (!m_trustProblem.isEmpty()) {
        reply->finishLater({false, 0, {}, m_trustProblem});
        return reply;
    }
    if (replylink::refuseAddress(reply, url))
        return reply;

    QNetworkRequest request = requestFor(url, freshness);
    tlstrust::apply(request, m_authorities);
    QNetworkReply *net = m_manager->get(request);
    const DownloadLimits limits = m_limits;
    auto transfer = std::make_shared<Transfer>();
    watchTransfer(reply, net, transfer, limits);
    const bool conditional = !freshness.ifNoneMatch.isEmpty();
    QObject::connect(net, &QNetworkReply::finished, reply, [net, reply, transfer, limits, conditional] {
        // A transfer stopped by a limit was aborted, which closed the reply
        // before this signal came: there is nothing left to read then, and
        // reading would have Qt warn on standard error.
        if (net->isReadable())
            transfer->body += net->readAll();
        const DownloadResult result = outcomeOf(net, *transfer, limits, conditional);
        net->deleteLater();
        reply->finish(result);
    });
    replylink::abandonWith(reply, net);
    return reply;
}
