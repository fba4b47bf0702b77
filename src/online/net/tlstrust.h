#pragma once

#include <QList>
#include <QSslCertificate>
#include <QSslError>
#include <QString>

class QNetworkRequest;

// Trust in the author's web server over HTTPS. A league may sign its
// server's certificate with a private authority: the sending tool then
// trusts that authority besides the system's own, and so does the results
// update (--ca, or the setting Data/AutoriteCertification, for both). Any
// other certificate error refuses the connection.
namespace tlstrust {

// The authorities of a PEM file; empty, with the French reason (without a
// final full stop), when it holds none that reads.
QList<QSslCertificate> load(const QString &path, QString *error = nullptr);

// The request trusts `authorities` as well as the system's.
void apply(QNetworkRequest &request, const QList<QSslCertificate> &authorities);

// Why the server's certificate was refused, in French.
QString refusal(const QList<QSslError> &errors);

} // namespace tlstrust
