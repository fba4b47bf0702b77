#include "shell/core/webpages.h"

#include "shell/core/programinfo.h"

namespace webpages {

namespace {
QUrl page(const QString &server, const QString &path)
{
    return QUrl(server + path, QUrl::TolerantMode);
}
} // namespace

QUrl home(const QString &server)
{
    return page(server, QStringLiteral("/"));
}

QUrl help(const QString &server)
{
    return page(server, QStringLiteral("/Kestrane2013/index.php"));
}

QUrl donation(const QString &server)
{
    return page(server, QStringLiteral("/Kestrane2013/donation.php"));
}

QUrl contact(const QString &server)
{
    // The subject goes as typed, blanks included; the URL encodes them.
    const QString subject = QStringLiteral(" Kestrane 1 (2013 - 2014)") + QStringLiteral(" Version ")
                            + QString::number(programinfo::Major) + QLatin1Char('.')
                            + QString::number(programinfo::Minor);
    QUrl url = page(server, QStringLiteral("/contacter.php"));
    url.setQuery(QStringLiteral("sub=") + subject, QUrl::DecodedMode);
    return url;
}

QUrl portal(const QString &portalAddress)
{
    return QUrl(portalAddress, QUrl::TolerantMode);
}

} // namespace webpages
