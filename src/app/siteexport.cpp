#include "app/siteexport.h"

#include "site/core/sitecommand.h"
#include "standings/ui/tablepdf.h"

#include <QHashFunctions>

namespace commandline {

int exportSite(const SeasonFolder &folder, const QString &target, QTextStream &out, QTextStream &err)
{
    // The PDF writer lists its fonts in the order of Qt's hash tables, which
    // a random seed shuffles from one run to the next: a fixed seed keeps the
    // same table giving the same file. Only this action runs in the process.
    QHashSeed::setDeterministicGlobalSeed();
    const site::PdfMaker pdf = [](const DisplayedStandings &shown, const QDateTime &made) {
        return tablepdf::toPdf(shown, made);
    };
    return sitecommand::run(folder, target, pdf, out, err);
}

} // namespace commandline
