#include "online/net/replylink.h"

#include "online/core/downloader.h"

#include <QNetworkReply>
#include <QUrl>

namespace replylink {

QString failureText(QNetworkReply::NetworkError error, int status)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Connexion refusée par le serveur");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Serveur introuvable");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Connexion coupée par le serveur avant la fin du fichier");
    case QNetworkReply::TimeoutError:
        return QStringLiteral("Le serveur ne répond pas");
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("Téléchargement interrompu");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("Connexion sécurisée impossible avec le serveur");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
        return QStringLiteral("Réseau indisponible");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("Le serveur renvoie d'adresse en adresse sans jamais donner le fichier");
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("Le serveur renvoie vers une adresse moins sûre : le fichier n'est pas demandé");
    case QNetworkReply::ProtocolUnknownError:
        return QStringLiteral("Le serveur renvoie vers une adresse qui n'est pas une page web");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError:
        return QStringLiteral("Le serveur mandataire (proxy) ne laisse pas passer le téléchargement");
    default:
        break;
    }
    if (status >= 400)
        return QStringLiteral("Le serveur a répondu par l'erreur HTTP %1").arg(status);
    // A body the network layer could not read (a broken compression) or an
    // answer outside HTTP's rules.
    return QStringLiteral("Réponse du serveur illisible");
}

bool refuseAddress(DownloadReply *reply, const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (url.isValid() && !url.host().isEmpty() && web)
        return false;
    reply->finishLater({false, 0, {}, QStringLiteral("Adresse du serveur invalide : %1").arg(url.toString())});
    return true;
}

void abandonWith(DownloadReply *reply, QNetworkReply *net)
{
    QObject::connect(reply, &QObject::destroyed, net, [net] {
        net->disconnect();
        net->abort();
        net->deleteLater();
    });
}

} // namespace replylink
