#pragma once

#include "site/core/sitebuilder.h"

#include <QString>

class QTextStream;
class SeasonFolder;

namespace sitecommand {

// The command line's --export-site FOLDER: the season of the program folder
// as a whole website written into FOLDER, with nothing written anywhere
// else. Exit status 0; 1 when the site cannot be made or written (the French
// reason goes to `err` and FOLDER stays as it was); 2 for an empty name.
int run(const SeasonFolder &folder, const QString &target, const site::PdfMaker &pdf, QTextStream &out,
        QTextStream &err);

} // namespace sitecommand
