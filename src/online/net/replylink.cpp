#include "online/net/replylink.h"

#include "online/core/downloader.h"

#include <QNetworkReply>
#include <QUrl>

namespace replylink {

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
