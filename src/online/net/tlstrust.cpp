#include "online/net/tlstrust.h"

#include "season/core/safefile.h"

#include <QDir>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QStringList>

namespace tlstrust {

QList<QSslCertificate> load(const QString &path, QString *error)
{
    // Through the guarded reader: a FIFO given as the authority must not
    // hold the sending tool.
    const safefile::Read file = safefile::read(path, 1024 * 1024);
    QList<QSslCertificate> found;
    if (file.ok())
        found = QSslCertificate::fromData(file.bytes, QSsl::Pem);
    if (found.isEmpty() && error) {
        *error = QStringLiteral("Aucun certificat d'autorité lisible dans %1 (fichier PEM attendu)")
                     .arg(QDir::toNativeSeparators(path));
    }
    return found;
}

void apply(QNetworkRequest &request, const QList<QSslCertificate> &authorities)
{
    if (authorities.isEmpty())
        return;
    QSslConfiguration configuration = request.sslConfiguration();
    configuration.addCaCertificates(authorities);
    request.setSslConfiguration(configuration);
}

QString refusal(const QList<QSslError> &errors)
{
    QStringList reasons;
    for (const QSslError &error : errors) {
        QString reason;
        switch (error.error()) {
        case QSslError::UnableToGetLocalIssuerCertificate:
        case QSslError::UnableToGetIssuerCertificate:
        case QSslError::UnableToVerifyFirstCertificate:
        case QSslError::SelfSignedCertificate:
        case QSslError::SelfSignedCertificateInChain:
        case QSslError::CertificateUntrusted:
            reason = QStringLiteral("signé par une autorité inconnue (une autorité privée se donne avec --ca "
                                    "FICHIER ou le réglage Data/AutoriteCertification)");
            break;
        case QSslError::HostNameMismatch:
            reason = QStringLiteral("il n'est pas au nom de ce serveur");
            break;
        case QSslError::CertificateExpired:
            reason = QStringLiteral("il a expiré");
            break;
        case QSslError::CertificateNotYetValid:
            reason = QStringLiteral("il n'est pas encore valable");
            break;
        case QSslError::CertificateRevoked:
            reason = QStringLiteral("il a été révoqué");
            break;
        default:
            reason = error.errorString();
            break;
        }
        if (!reasons.contains(reason))
            reasons << reason;
    }
    return QStringLiteral("Certificat du serveur refusé : %1").arg(reasons.join(QStringLiteral(" ; ")));
}

} // namespace tlstrust
