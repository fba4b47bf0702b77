#include "online/net/httpuploader.h"

#include "online/net/replylink.h"
#include "online/net/tlstrust.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace {

// Scheme, host and port: where credentials asked for may go again.
QString originOf(const QUrl &url)
{
    return url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo)
        .toString()
        .toLower();
}

// The server's own words in a refusal, when it sent a short plain text
// (the league's upload script tells why it refused a file).
QString serverWords(const QByteArray &answer)
{
    const QString text = QString::fromUtf8(answer).trimmed();
    if (text.isEmpty() || text.size() > 300 || text.contains(QLatin1Char('<')))
        return {};
    QString line = text.section(QLatin1Char('\n'), 0, 0).trimmed();
    while (line.endsWith(QLatin1Char('.')))
        line.chop(1);
    return line;
}

} // namespace

HttpUploader::HttpUploader(DownloadLimits limits, QObject *parent)
    : Uploader(parent)
    , m_limits(limits)
    , m_manager(new QNetworkAccessManager(this))
{
    m_manager->setCache(nullptr);
}

HttpUploader::~HttpUploader()
{
    for (DownloadReply *reply : findChildren<DownloadReply *>(QString(), Qt::FindDirectChildrenOnly))
        reply->abort();
}

QString HttpUploader::refusal(int status, const QByteArray &answer)
{
    switch (status) {
    case 401:
        return QStringLiteral("Nom ou mot de passe refusé par le serveur");
    case 403:
        return QStringLiteral("Le serveur interdit l'envoi à ce bénévole");
    case 404:
    case 405:
        return QStringLiteral("Le serveur n'accepte pas d'envoi à cette adresse");
    case 412:
        return QStringLiteral("Le fichier publié a changé depuis son téléchargement");
    case 413:
        return QStringLiteral("Fichier trop volumineux pour le serveur");
    default:
        break;
    }
    const QString words = serverWords(answer);
    if (status == 422)
        return words.isEmpty() ? QStringLiteral("Le serveur refuse ce fichier")
                               : QStringLiteral("Le serveur refuse ce fichier (%1)").arg(words);
    if (status >= 300 && status <= 399)
        return QStringLiteral("Le serveur renvoie l'envoi ailleurs (HTTP %1) : rien n'y est envoyé").arg(status);
    if (status >= 500)
        return QStringLiteral("Erreur du serveur (HTTP %1)").arg(status);
    return QStringLiteral("Réponse inattendue du serveur (HTTP %1)").arg(status);
}

DownloadReply *HttpUploader::put(const UploadRequest &upload)
{
    auto *reply = new DownloadReply(this);
    reply->setUrl(upload.url);
    if (replylink::refuseAddress(reply, upload.url))
        return reply;
    // The name and password go only where the server asked for them.
    send(reply, upload, m_askedForCredentials.contains(originOf(upload.url)));
    return reply;
}

void HttpUploader::send(DownloadReply *reply, const UploadRequest &upload, bool withCredentials)
{
    QNetworkRequest request(upload.url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/plain"));
    if (withCredentials) {
        request.setRawHeader("Authorization",
                             "Basic " + (upload.user.toUtf8() + ':' + upload.password.toUtf8()).toBase64());
    }
    if (!upload.ifMatch.isEmpty())
        request.setRawHeader("If-Match", upload.ifMatch);
    if (upload.onlyIfAbsent)
        request.setRawHeader("If-None-Match", "*");
    // An upload goes where it was sent or nowhere: a redirect is a refusal,
    // and the credentials never follow one.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    tlstrust::apply(request, m_authorities);
    QNetworkReply *net = m_manager->put(request, upload.body);

    // Why the transfer was stopped on purpose, when it was.
    auto failure = std::make_shared<QString>();
    const DownloadLimits limits = m_limits;
    auto *quiet = new QTimer(net);
    quiet->setSingleShot(true);
    quiet->callOnTimeout(net, [net, failure, limits] {
        *failure = QStringLiteral("Le serveur ne répond plus (rien depuis %1 s)").arg(limits.stallMs / 1000.0);
        net->abort();
    });
    quiet->start(limits.stallMs);
    QTimer::singleShot(limits.totalMs, net, [net, failure, limits] {
        *failure = QStringLiteral("Envoi trop long (plus de %1 s)").arg(limits.totalMs / 1000.0);
        net->abort();
    });
    const auto alive = [quiet, limits] { quiet->start(limits.stallMs); };
    QObject::connect(net, &QNetworkReply::uploadProgress, reply, [reply, alive](qint64 sent, qint64 total) {
        alive();
        reply->reportProgress(sent, total);
    });
    QObject::connect(net, &QNetworkReply::downloadProgress, reply, alive);
    QObject::connect(reply, &DownloadReply::abortRequested, net, [net, failure] {
        *failure = QStringLiteral("Envoi interrompu");
        net->abort();
    });
    QObject::connect(net, &QNetworkReply::sslErrors, reply,
                     [failure](const QList<QSslError> &errors) { *failure = tlstrust::refusal(errors); });
    QObject::connect(
        net, &QNetworkReply::finished, reply, [this, net, reply, upload, withCredentials, failure, limits] {
            DownloadResult result;
            result.status = net->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            result.etag = net->rawHeader("ETag");
            const QByteArray answer = net->isReadable() ? net->read(limits.maxBytes) : QByteArray();
            const bool challenged = net->rawHeader("WWW-Authenticate").toLower().contains("basic");
            net->deleteLater();
            if (failure->isEmpty() && result.status == 401 && challenged && !withCredentials) {
                // Asked for a volunteer's name and password: the same upload
                // again, with them.
                m_askedForCredentials.insert(originOf(upload.url));
                return send(reply, upload, true);
            }
            if (!failure->isEmpty()) {
                result.error = *failure;
            } else if (result.status >= 200 && result.status <= 299) {
                result.ok = true;
                result.body = answer;
            } else if (result.status != 0) {
                result.error = refusal(result.status, answer);
            } else {
                const QString why = replylink::failureText(net->error(), result.status);
                result.error = QStringLiteral("Envoi interrompu : %1").arg(why.left(1).toLower() + why.mid(1));
                result.detail = QStringLiteral("QNetworkReply %1 : %2").arg(int(net->error())).arg(net->errorString());
            }
            reply->finish(result);
        });
    replylink::abandonWith(reply, net);
}
