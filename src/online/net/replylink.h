#pragma once

class DownloadReply;
class QNetworkReply;
class QUrl;

// What the downloader and the uploader share between the program's reply
// and Qt's transfer behind it.
namespace replylink {

// Finishes `reply` (on the event loop) with "Adresse du serveur invalide"
// unless `url` is an http or https address with a host; true when it did.
bool refuseAddress(DownloadReply *reply, const QUrl &url);

// A reply abandoned by everyone (its downloader or uploader going away)
// takes its transfer with it.
void abandonWith(DownloadReply *reply, QNetworkReply *net);

} // namespace replylink
