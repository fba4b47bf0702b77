#pragma once

#include "standings/core/displayedstandings.h"

#include <QByteArray>
#include <QDateTime>
#include <QRectF>
#include <QString>

class QPainter;

// The table as displayed drawn as a real table (text, lines and colours, not
// a picture of the window): on any painter, and as a one-page A4 PDF file.
// The window's export and the command line share it.
namespace tablepdf {

// Draws the page: title, the table with its zone colours, the legend and the
// league lines, scaled down to fit `area` (in the painter's device units).
void drawTable(QPainter &painter, const QRectF &area, const DisplayedStandings &shown);

// The page as the bytes of a one-page landscape A4 PDF; empty on failure.
// With a valid `creation`, the document carries that moment instead of the
// moment it is made, so the same table gives the same bytes.
QByteArray toPdf(const DisplayedStandings &shown, const QDateTime &creation = {});

// One landscape A4 page in a PDF file; an existing file is replaced in one
// step. False with a French reason when the file cannot be written.
[[nodiscard]] bool writePdf(const DisplayedStandings &shown, const QString &path, QString &error);

} // namespace tablepdf
