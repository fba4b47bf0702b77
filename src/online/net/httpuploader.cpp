#include "online/net/httpuploader.h"

#include "online/net/replylink.h"
#include "online/net/tlstrust.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

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

QString HttpUploader::refusal(int status)
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

    QNetworkRequest request(upload.url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/plain"));
    request.setRawHeader("Authorization",
                         "Basic " + (upload.user.toUtf8() + ':' + upload.password.toUtf8()).toBase64());
    if (!upload.ifMatch.isEmpty())
        request.setRawHeader("If-Match", upload.ifMatch);
    if (upload.onlyIfAbsent)
        request.setRawHeader("If-None-Match", "*");
    // An upload goes where it was sent or nowhere.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    tlstrust::apply(request, m_authorities);
    QNetworkReply *net = m_manager->put(request, upload.body);

    // Why the transfer was stopped on purpose, when it was.
    auto failure = std::make_shared<QString>();
    const DownloadLimits limits = m_limits;
    auto *quiet = new QTimer(reply);
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
    QObject::connect(net, &QNetworkReply::finished, reply, [net, reply, failure, limits] {
        DownloadResult result;
        result.status = net->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.etag = net->rawHeader("ETag");
        const QByteArray answer = net->read(limits.maxBytes);
        if (!failure->isEmpty())
            result.error = *failure;
        else if (result.status >= 200 && result.status <= 299)
            result.ok = true;
        else if (result.status != 0)
            result.error = refusal(result.status);
        else
            result.error = QStringLiteral("Envoi interrompu : %1").arg(net->errorString());
        if (result.ok)
            result.body = answer;
        net->deleteLater();
        reply->finish(result);
    });
    replylink::abandonWith(reply, net);
    return reply;
}
