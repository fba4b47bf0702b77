#pragma once

#include "standings/core/displayedstandings.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QTextStream;
class SeasonFolder;

// The table as displayed, taken elsewhere: the columns every export shares
// (the window's order and French headings), the spreadsheet (CSV) and web
// page (HTML) files, and the command line's export steps. The PDF drawing,
// which needs a printer, lives with the table's widgets and uses the same
// columns.
namespace tableexport {

// One column of the exported table.
struct Column
{
    QString cell;       // the window's column name ("TPTS"), as a sort names its columns
    QString group;      // heading over a pair of columns ("Buts pour"), empty for a column alone
    QString header;     // the column's own heading
    QString csvHeader;  // the heading on the spreadsheet's one header line
    QString background; // the cells' colour in the window ("#C0FFC0"), empty for white
};

// Rank, movement mark, team, then the statistics in the window's order.
const QList<Column> &columns();
// Text as every export carries it: control characters (line breaks, tabs,
// the C1 controls) become blanks, so a name from a file cannot break a line
// of the spreadsheet, the page or the PDF.
QString plainText(const QString &text);
// The texts of one row, in the order of columns(): the rank label and the
// movement mark as displayed, the points with the decimal comma; every text
// plain (plainText).
QStringList cellTexts(const DisplayedRow &row);
// Whether any row carries a movement mark (the pages leave the column out
// otherwise; the spreadsheet always keeps it, so that its columns never move).
bool hasMovements(const DisplayedStandings &shown);
// The table's caption: its own title, or "Classement général".
QString caption(const DisplayedStandings &shown);
// The name cell's background: the favourite, then the zone, then white.
QString nameCellColour(const DisplayedStandings &shown, int row);
QString zoneColour(ZoneMark zone); // "#97DEFF"...
// One legend entry per colour the table shows: its colour and its meaning.
struct LegendEntry
{
    QString colour;
    QString text;
};
QList<LegendEntry> legend(const DisplayedStandings &shown);
// The lines under the table: goal totals, season progress, teams ahead or
// behind the calendar (each may be empty).
QStringList footerLines(const DisplayedStandings &shown);

// The spreadsheet file: UTF-8 with its byte order mark (so that a French
// spreadsheet reads the accents), one header line, ";" between fields, the
// decimal comma, CR LF line ends, fields quoted when they hold ";", a quote,
// a line break or edge blanks. A cell that a spreadsheet would take for a
// formula (= + - @ first, blanks aside, and not a number) is written with a
// leading apostrophe.
QByteArray toCsv(const DisplayedStandings &shown);
// A self-contained page in UTF-8: the table with its zone colours and a
// legend, no script, no outside resource, every text escaped. It is also
// well-formed XML, so that any XML reader can take it apart.
QByteArray toHtml(const DisplayedStandings &shown);

// Writes the table as displayed to a file; false with a French reason.
using Writer = std::function<bool(const DisplayedStandings &shown, const QString &path, QString &error)>;
[[nodiscard]] bool writeCsv(const DisplayedStandings &shown, const QString &path, QString &error);
[[nodiscard]] bool writeHtml(const DisplayedStandings &shown, const QString &path, QString &error);

// The command line's export of the table of a program folder, counted over
// match days 1..N (`matchDayArgument` empty: the whole season). Exit status
// 0, or 2 for a bad match day or a file that cannot be written (the reason
// goes to `err`).
int exportCommand(const SeasonFolder &folder, const QString &path, const QString &matchDayArgument,
                  const QDateTime &now, const Writer &write, QTextStream &err);

} // namespace tableexport
