#include "shell/core/programinfo.h"

#include <QtGlobal>

namespace programinfo {

QString serverAddress()
{
    const QString configured = qEnvironmentVariable("KESTRANE_SERVER");
    return configured.isEmpty() ? QStringLiteral("http://www.kestrane-foot.fr") : configured;
}

} // namespace programinfo
