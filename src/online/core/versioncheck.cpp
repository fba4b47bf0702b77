#include "online/core/versioncheck.h"

namespace versioncheck {

namespace {
int digit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : 0;
}
} // namespace

int publishedTenths(const QString &published)
{
    if (published.size() != 3)
        return 0;
    return digit(published.front()) * 10 + digit(published.back());
}

bool offerDue(const QString &published, int major, int minor)
{
    if (published == QLatin1String("-"))
        return false;
    // Both sides read as major + minor / 10, compared in tenths.
    return major * 10 + minor < publishedTenths(published);
}

QString question()
{
    return QStringLiteral("Une version plus récente du logiciel est disponible, voulez vous la télécharger ?");
}

QString title(const QString &programName, const QString &published)
{
    return programName + QStringLiteral(" Version ") + published;
}

} // namespace versioncheck
