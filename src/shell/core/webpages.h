#pragma once

#include <QUrl>

// The pages of the author's web server and the partner's portal that the
// program opens in the browser. The hosts are configuration; the paths are
// fixed by the server.
namespace webpages {

QUrl home(const QString &server);
QUrl help(const QString &server); // also the download page of new versions
QUrl donation(const QString &server);
// The contact form, its subject naming the program and its version.
QUrl contact(const QString &server);
QUrl portal(const QString &portalAddress);

} // namespace webpages
