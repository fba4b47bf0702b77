#include "online/core/credentials.h"

#include "season/core/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringList>
#include <QUrl>

namespace credentials {

namespace {

namespace texts {
const QString NoUser = QStringLiteral("Nom du bénévole manquant.");
const QString NoPassword = QStringLiteral("Mot de passe manquant.");
const QString BadUser = QStringLiteral("Le nom du bénévole ne peut contenir ni « : » ni caractère de contrôle.");
const QString OneVariable = QStringLiteral("%1 est défini sans %2 : les identifiants mémorisés sont utilisés.");
const QString OpenFile =
    QStringLiteral("Identifiants mémorisés ignorés : %1 est lisible par d'autres utilisateurs (chmod 600 %1).");
const QString BadFile = QStringLiteral("Identifiants mémorisés ignorés : %1 est illisible ou abîmé.");
const QString NoFolder = QStringLiteral("Impossible de créer le dossier %1.");
const QString NoWrite = QStringLiteral("Impossible d'écrire %1.");
const QString PlainHttp = QStringLiteral(
    "Le serveur %1 n'est pas chiffré (http://) : le mot de passe y passerait en clair, lisible sur tout le "
    "réseau en chemin. Demandez au responsable de la ligue une adresse https://. Si la ligue accepte ce risque "
    "en connaissance de cause, le réglage Data/EnvoiNonChiffre=1 ou l'option --allow-http de Porvex "
    "l'autorisent. Rien n'est envoyé.");
const QString Header = QStringLiteral("# Porvex : identifiants du bénévole, lisibles par vous seul\n");
} // namespace texts

const QByteArray UserKey = "nom";
const QByteArray PasswordKey = "mot_de_passe";

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions Others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

} // namespace

QString filePath(const QString &configFolder)
{
    return QDir(configFolder).filePath(QStringLiteral("kestrane/benevole.conf"));
}

QString problem(const Credentials &credentials)
{
    if (credentials.user.isEmpty())
        return texts::NoUser;
    if (credentials.password.isEmpty())
        return texts::NoPassword;
    // Basic authentication joins the two with ":".
    for (QChar c : credentials.user) {
        if (c == QLatin1Char(':') || c.category() == QChar::Other_Control)
            return texts::BadUser;
    }
    return {};
}

namespace {

bool isLoopback(const QString &host)
{
    if (host == QLatin1String("localhost") || host == QLatin1String("::1"))
        return true;
    const QStringList parts = host.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString &part : parts) {
        bool number = false;
        const int value = part.toInt(&number);
        if (!number || part.isEmpty() || part.size() > 3 || value < 0 || value > 255 || !part.at(0).isDigit())
            return false;
    }
    return parts.first() == QLatin1String("127");
}

} // namespace

QString channelProblem(const QString &server, bool plainHttpAllowed)
{
    const QUrl url(server, QUrl::TolerantMode);
    if (url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) != 0 || plainHttpAllowed)
        return {};
    if (isLoopback(url.host().toLower()))
        return {};
    return texts::PlainHttp.arg(server);
}

Found find(const QString &environmentUser, const QString &environmentPassword, const QString &filePath)
{
    Found found;
    if (!environmentUser.isEmpty() && !environmentPassword.isEmpty()) {
        found.credentials = {environmentUser, environmentPassword};
        found.source = Found::Source::Environment;
        return found;
    }
    if (!environmentUser.isEmpty() || !environmentPassword.isEmpty()) {
        found.warning = environmentUser.isEmpty() ? texts::OneVariable.arg(PasswordVariable, UserVariable)
                                                  : texts::OneVariable.arg(UserVariable, PasswordVariable);
    }
    const QFileInfo info(filePath);
    if (!info.exists())
        return found;
#ifndef Q_OS_WIN
    if (info.permissions() & Others) {
        found.warning = texts::OpenFile.arg(QDir::toNativeSeparators(filePath));
        return found;
    }
#endif
    // Read as a regular file of a credentials file's size: a FIFO in its
    // place would hold the sending tool.
    const safefile::Read file = safefile::read(filePath, 64 * 1024);
    std::optional<Credentials> stored;
    if (file.ok())
        stored = decode(file.bytes);
    if (!stored) {
        found.warning = texts::BadFile.arg(QDir::toNativeSeparators(filePath));
        return found;
    }
    found.credentials = *stored;
    found.source = Found::Source::File;
    return found;
}

bool remember(const QString &filePath, const Credentials &credentials, QString *error)
{
    const QString folder = QFileInfo(filePath).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = texts::NoFolder.arg(QDir::toNativeSeparators(folder));
        return false;
    }
    // The mode is set before a single byte of the password is written.
    QSaveFile save(filePath);
    const QByteArray bytes = encode(credentials);
    if (!save.open(QIODevice::WriteOnly) || !save.setPermissions(OwnerOnly) || save.write(bytes) != bytes.size()
        || !save.commit()) {
        if (error)
            *error = texts::NoWrite.arg(QDir::toNativeSeparators(filePath));
        return false;
    }
    return true;
}

bool forget(const QString &filePath)
{
    return !QFileInfo::exists(filePath) || QFile::remove(filePath);
}

QByteArray encode(const Credentials &credentials)
{
    return texts::Header.toUtf8() + UserKey + '=' + credentials.user.toUtf8() + '\n' + PasswordKey + '='
           + credentials.password.toUtf8().toBase64() + '\n';
}

std::optional<Credentials> decode(const QByteArray &bytes)
{
    std::optional<QByteArray> user;
    std::optional<QByteArray> password;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        const qsizetype equals = line.indexOf('=');
        if (line.isEmpty() || line.startsWith('#') || equals < 0)
            continue;
        const QByteArray key = line.first(equals).trimmed();
        const QByteArray value = line.sliced(equals + 1).trimmed();
        if (key == UserKey)
            user = value;
        else if (key == PasswordKey)
            password = value;
    }
    if (!user || !password)
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(*password, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    const Credentials credentials{QString::fromUtf8(*user), QString::fromUtf8(*decoded)};
    if (!problem(credentials).isEmpty())
        return std::nullopt;
    return credentials;
}

} // namespace credentials
