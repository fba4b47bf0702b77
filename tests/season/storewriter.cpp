// Helper program of the crash-safety tests: writes entries through the
// results store one after another and reports each write the store
// confirmed, one key per line on standard output, as soon as it returns.
//   storewriter STORE PREFIX COUNT   (COUNT 0: until killed)
#include "season/core/inifile.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: storewriter STORE PREFIX COUNT\n");
        return 2;
    }
    IniFile store(QString::fromLocal8Bit(argv[1]));
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const long count = std::atol(argv[3]);
    for (long i = 0; count == 0 || i < count; ++i) {
        const QString key = prefix + QString::number(i);
        if (!store.write(QStringLiteral("Resultats"), key, QStringLiteral("A|0|1|%1|0|0|0|B").arg(i % 10)))
            return 1;
        // Unbuffered: a kill right after this line must not lose the report.
        const std::string line = key.toStdString() + '\n';
        if (::write(STDOUT_FILENO, line.data(), line.size()) != ssize_t(line.size()))
            return 1;
    }
    return 0;
}
