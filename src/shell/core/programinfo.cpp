#include "shell/core/programinfo.h"

#include "season/core/usersettings.h"

#include <QStringList>
#include <QtGlobal>

namespace programinfo {

namespace {
const QString DefaultServer = QStringLiteral("http://www.kestrane-foot.fr");
const QString DefaultAuthor = QStringLiteral("Yannick Le Goff");
const QString DefaultPortal = QStringLiteral("http://www.portail-kestrane.fr/telecharger/kestrane1");

QString withoutFinalSlash(QString address)
{
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address;
}
} // namespace

QString serverAddress(const QString &commandLine, const UserSettings &settings)
{
    const QStringList candidates = {commandLine, qEnvironmentVariable("KESTRANE_SERVER"),
                                    settings.read(settingkeys::DataSection, settingkeys::ServerAddress)};
    for (const QString &candidate : candidates) {
        if (!candidate.trimmed().isEmpty())
            return withoutFinalSlash(candidate.trimmed());
    }
    return DefaultServer;
}

QString authoritiesFile(const QString &commandLine, const UserSettings &settings)
{
    if (!commandLine.isEmpty())
        return commandLine;
    return settings.read(settingkeys::DataSection, settingkeys::CertificateAuthority).trimmed();
}

QString portalAddress(const UserSettings &settings)
{
    const QString configured = settings.read(settingkeys::DataSection, settingkeys::PortalAddress).trimmed();
    return configured.isEmpty() ? DefaultPortal : configured;
}

QString authorName(const UserSettings &settings)
{
    const QString configured = settings.read(settingkeys::DataSection, settingkeys::AuthorName).trimmed();
    return configured.isEmpty() ? DefaultAuthor : configured;
}

} // namespace programinfo
