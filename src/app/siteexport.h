#pragma once

#include <QString>

class QTextStream;
class SeasonFolder;

namespace commandline {

// --export-site FOLDER: the league's website of the program folder, the
// table's PDF drawn by the PDF export. Exit status 0, 1 or 2 as
// sitecommand::run tells.
int exportSite(const SeasonFolder &folder, const QString &target, QTextStream &out, QTextStream &err);

} // namespace commandline
