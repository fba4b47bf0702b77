#include "site/core/sitecommand.h"

#include "season/core/seasonfolder.h"
#include "site/core/sitefolder.h"

#include <QDir>
#include <QTextStream>

namespace sitecommand {

int run(const SeasonFolder &folder, const QString &target, const site::PdfMaker &pdf, QTextStream &out,
        QTextStream &err)
{
    const auto fail = [&err](const QString &why, int status) {
        err << why << '\n';
        err.flush();
        return status;
    };
    if (target.trimmed().isEmpty())
        return fail(sitefolder::refusal(target), 2);
    // A folder that may not take the site is told before any work.
    if (const QString why = sitefolder::refusal(target); !why.isEmpty())
        return fail(why, 1);
    site::Files files = site::build(folder.season(), folder.store(), folder.bonusMalus(), pdf);
    for (const site::File &file : files) {
        if (file.bytes.isEmpty())
            return fail(QStringLiteral("Impossible de produire %1 : le site n'a pas été écrit.").arg(file.path), 1);
    }
    QString error;
    if (!sitefolder::write(target, files, error))
        return fail(error, 1);
    out << QStringLiteral("Site écrit dans %1 : %2 fichiers.")
               .arg(QDir::toNativeSeparators(QDir::cleanPath(QDir(target).absolutePath())))
               .arg(files.size())
        << '\n';
    out.flush();
    return 0;
}

} // namespace sitecommand
