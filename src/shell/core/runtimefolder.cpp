#include "shell/core/runtimefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <cstdlib>
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

ForThisRun::ForThisRun()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    // mkdtemp makes the folder private (0700) and of a name nobody took.
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/kestrane-runtime-XXXXXX"));
    if (!mkdtemp(pattern.data()))
        return;
    m_made = pattern;
    qputenv("XDG_RUNTIME_DIR", m_made);
}

ForThisRun::~ForThisRun()
{
    if (m_made.isEmpty())
        return;
    qunsetenv("XDG_RUNTIME_DIR");
    // Only this run could write in it (mode 0700): all it holds is the run's.
    QDir(QFile::decodeName(m_made)).removeRecursively();
}

} // namespace runtimefolder
