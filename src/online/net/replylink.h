#pragma once

#include <QNetworkReply>
#include <QString>

class DownloadReply;
class QUrl;

// What the downloader and the uploader share between the program's reply
// and Qt's transfer behind it.
namespace replylink {

// A transfer's failure in our own French words: Qt's error texts are
// English and are kept for the technical detail only.
QString failureText(QNetworkReply::NetworkError error, int status);

// Finishes `reply` (on the event loop) with "Adresse du serveur invalide"
// unless `url` is an http or https address with a host; true when it did.
bool refuseAddress(DownloadReply *reply, const QUrl &url);

// A reply abandoned by everyone (its downloader or uploader going away)
// takes its transfer with it.
void abandonWith(DownloadReply *reply, QNetworkReply *net);

} // namespace replylink
