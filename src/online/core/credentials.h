#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The name and password a volunteer publishes with (the server's
// volunteers.htpasswd knows them).
struct Credentials
{
    QString user;
    QString password;
};

// Where the sending tool finds them and how it keeps them. Scripts give them
// in the environment; a volunteer who ticks "Mémoriser" has them kept in a
// per-user file that only its owner may read, written only then and removed
// when the box is unticked.
namespace credentials {

inline const QString UserVariable = QStringLiteral("KESTRANE_USER");
inline const QString PasswordVariable = QStringLiteral("KESTRANE_PASSWORD");

// The remembered credentials of a user whose configuration folder is
// `configFolder` (~/.config on Linux): kestrane/benevole.conf.
QString filePath(const QString &configFolder);

// Why these credentials cannot be sent, in French; empty when they can.
QString problem(const Credentials &credentials);

// Why a password may not go to `server` ("http://host"), in French; empty
// when it may: over HTTPS, over plain HTTP to this machine (127.0.0.0/8,
// ::1, localhost), or anywhere when the league knowingly accepts plain HTTP
// (`plainHttpAllowed`: the setting Data/EnvoiNonChiffre=1 or --allow-http).
QString channelProblem(const QString &server, bool plainHttpAllowed);

struct Found
{
    enum class Source { None, Environment, File };
    Credentials credentials;
    Source source = Source::None;
    QString warning; // French: a file or a variable that was not used, and why
};

// The environment's pair when both variables are set, else the remembered
// file. A file that others than its owner may read or write is not used.
Found find(const QString &environmentUser, const QString &environmentPassword, const QString &filePath);

// Keeps them in the file, readable and writable by its owner only, replacing
// any earlier one in one step. False, with the French reason, on failure.
bool remember(const QString &filePath, const Credentials &credentials, QString *error = nullptr);
// Removes the file; true when none is left.
bool forget(const QString &filePath);

// The file's contents. The password is stored in base 64 so that any
// character survives; the file's mode is what protects it.
QByteArray encode(const Credentials &credentials);
std::optional<Credentials> decode(const QByteArray &bytes);

} // namespace credentials
