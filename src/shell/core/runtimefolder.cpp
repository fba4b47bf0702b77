#include "shell/core/runtimefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace runtimefolder {

void provide()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const uid_t me = geteuid();
    const passwd *account = getpwuid(me);
    const QString user = account ? QFile::decodeName(account->pw_name) : QString::number(me);
    const QString path = QDir::tempPath() + QStringLiteral("/runtime-") + user;
    const QByteArray native = QFile::encodeName(path);
    if (mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return;
    // The folder must be a real folder, ours and private: a link or another
    // user's folder planted in the shared temporary folder is not taken.
    struct stat info = {};
    if (lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != me
        || (info.st_mode & 0777) != 0700)
        return;
    qputenv("XDG_RUNTIME_DIR", native);
}

} // namespace runtimefolder
