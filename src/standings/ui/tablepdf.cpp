#include "standings/ui/tablepdf.h"

#include "standings/core/exportfile.h"
#include "standings/core/tableexport.h"
#include "standings/ui/standingspalette.h"

#include <QBuffer>
#include <QDateTime>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>
#include <vector>

namespace tablepdf {

namespace {

namespace P = StandingsPalette;
using tableexport::Column;

const QString PageTitle = QStringLiteral("Kestrane 1 : classement 2013 - 2014");
const QString StampPrefix = QStringLiteral("Mise à jour : ");
const QString LegendTitle = QStringLiteral("Légende");

constexpr double LargestPoints = 9.5;
constexpr double SmallestPoints = 5;

struct Layout
{
    QFont font;
    QFont bold;
    QFont title;
    double unit = 1; // device units per point
    double rowHeight = 0;
    double lineHeight = 0; // legend and footer lines
    double padding = 0;
    std::vector<double> widths;
    double tableWidth() const { return std::accumulate(widths.begin(), widths.end(), 0.0); }
};

double textWidth(const QFont &font, const QString &text, QPaintDevice *device)
{
    return QFontMetricsF(font, device).horizontalAdvance(text);
}

// Columns and their cells for this table: the movement column only when a
// row carries a mark.
struct Grid
{
    QList<Column> columns;
    std::array<QStringList, TeamCount> cells;
};

Grid gridOf(const DisplayedStandings &shown)
{
    Grid grid;
    const QList<Column> &all = tableexport::columns();
    const bool movements = tableexport::hasMovements(shown);
    for (int r = 0; r < TeamCount; ++r) {
        const QStringList texts = tableexport::cellTexts(shown.rows[r]);
        for (int i = 0; i < all.size(); ++i) {
            if (movements || all[i].cell != QLatin1String("ImEvol"))
                grid.cells[r] << texts[i];
        }
    }
    for (const Column &column : all) {
        if (movements || column.cell != QLatin1String("ImEvol"))
            grid.columns << column;
    }
    return grid;
}

Layout layoutAt(double points, const Grid &grid, QPaintDevice *device)
{
    Layout layout;
    layout.unit = device->logicalDpiY() / 72.0;
    layout.font = QFont(QStringLiteral("DejaVu Sans"));
    layout.font.setPointSizeF(points);
    // Without shaping no ligature replaces "fi" in a name: the text read
    // back from the PDF (a search, a copy) is the name as written.
    layout.font.setStyleStrategy(QFont::PreferNoShaping);
    layout.bold = layout.font;
    layout.bold.setBold(true);
    layout.title = layout.bold;
    layout.title.setPointSizeF(points * 1.5);
    const QFontMetricsF metrics(layout.font, device);
    layout.padding = metrics.height() * 0.35;
    layout.rowHeight = metrics.height() * 1.45;
    layout.lineHeight = metrics.height() * 1.3;

    const QList<Column> &cols = grid.columns;
    layout.widths.assign(cols.size(), 0);
    for (int i = 0; i < cols.size(); ++i) {
        double w = textWidth(layout.bold, cols[i].header, device);
        for (int r = 0; r < TeamCount; ++r)
            w = std::max(w, textWidth(layout.bold, grid.cells[r][i], device));
        layout.widths[i] = w + 2 * layout.padding;
    }
    // A group heading needs room over its pair of columns.
    for (int i = 0; i + 1 < cols.size(); ++i) {
        if (cols[i].group.isEmpty() || cols[i + 1].group != cols[i].group)
            continue;
        const double need = textWidth(layout.bold, cols[i].group, device) + 2 * layout.padding;
        const double have = layout.widths[i] + layout.widths[i + 1];
        if (need > have) {
            layout.widths[i] += (need - have) / 2;
            layout.widths[i + 1] += (need - have) / 2;
        }
        ++i;
    }
    return layout;
}

double pageHeight(const Layout &layout, const DisplayedStandings &shown)
{
    const int lines = int(tableexport::legend(shown).size()) + 1 + int(tableexport::footerLines(shown).size());
    return layout.rowHeight * 4 // title, caption and stamp
           + layout.rowHeight * (2 + TeamCount) + layout.lineHeight * (lines + 1);
}

void cell(QPainter &painter, const QRectF &box, const QString &text, const QColor &background, const Layout &layout,
          Qt::Alignment alignment = Qt::AlignCenter)
{
    painter.fillRect(box, background);
    painter.drawText(box.adjusted(layout.padding, 0, -layout.padding, 0), alignment | Qt::AlignVCenter, text);
}

QColor columnBackground(const Column &column)
{
    return column.background.isEmpty() ? QColor(P::White) : QColor(column.background);
}

// The largest type that fits the area (the last tried when none does), its
// columns then widened so that the table spans the page.
Layout fittedLayout(const QRectF &area, const Grid &grid, const DisplayedStandings &shown, QPaintDevice *device)
{
    Layout layout;
    for (double points = LargestPoints; points >= SmallestPoints; points -= 0.5) {
        layout = layoutAt(points, grid, device);
        if (layout.tableWidth() <= area.width() && pageHeight(layout, shown) <= area.height())
            break;
    }
    if (layout.tableWidth() < area.width()) {
        const double stretch = area.width() / layout.tableWidth();
        for (double &w : layout.widths)
            w *= stretch;
    }
    return layout;
}

// Where the table stands on the page: its left edge, width and the x of
// every column edge.
struct Frame
{
    double left = 0;
    double width = 0;
    std::vector<double> xs;
};

Frame frameOf(const Layout &layout, double left, int columnCount)
{
    Frame frame{left, layout.tableWidth(), std::vector<double>(columnCount + 1, left)};
    for (int i = 0; i < columnCount; ++i)
        frame.xs[i + 1] = frame.xs[i] + layout.widths[i];
    return frame;
}

// Title, caption and stamp; returns the y below them.
double drawTitle(QPainter &painter, const Layout &layout, const Frame &frame, double y, const DisplayedStandings &shown)
{
    painter.setFont(layout.title);
    painter.drawText(QRectF(frame.left, y, frame.width, layout.rowHeight * 1.6), Qt::AlignLeft | Qt::AlignVCenter,
                     PageTitle);
    y += layout.rowHeight * 1.8;
    painter.setFont(layout.bold);
    painter.drawText(QRectF(frame.left, y, frame.width, layout.rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     tableexport::caption(shown));
    if (!shown.stamp.isEmpty()) {
        painter.setFont(layout.font);
        painter.drawText(QRectF(frame.left, y, frame.width, layout.rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                         StampPrefix + tableexport::plainText(shown.stamp));
    }
    return y + layout.rowHeight * 1.3;
}

// Headings: a column alone spans both heading rows, a pair shares its group.
void drawHeadings(QPainter &painter, const Layout &layout, const Frame &frame, double y, const QList<Column> &cols)
{
    const std::vector<double> &xs = frame.xs;
    painter.setFont(layout.bold);
    const QColor headerColour(P::Header);
    for (int i = 0; i < cols.size(); ++i) {
        if (cols[i].group.isEmpty()) {
            cell(painter, QRectF(xs[i], y, layout.widths[i], 2 * layout.rowHeight), cols[i].header, headerColour,
                 layout);
            continue;
        }
        if (i == 0 || cols[i - 1].group != cols[i].group) {
            int span = 1;
            while (i + span < cols.size() && cols[i + span].group == cols[i].group)
                ++span;
            cell(painter, QRectF(xs[i], y, xs[i + span] - xs[i], layout.rowHeight), cols[i].group, headerColour,
                 layout);
        }
        cell(painter, QRectF(xs[i], y + layout.rowHeight, layout.widths[i], layout.rowHeight), cols[i].header,
             headerColour, layout);
    }
}

// The team rows with their zone, favourite and warning colours; returns the
// y below the last row.
double drawRows(QPainter &painter, const Layout &layout, const Frame &frame, double y, const Grid &grid,
                const DisplayedStandings &shown)
{
    const QList<Column> &cols = grid.columns;
    for (int r = 0; r < TeamCount; ++r) {
        const DisplayedRow &row = shown.rows[r];
        for (int i = 0; i < cols.size(); ++i) {
            const Column &column = cols[i];
            const QString &text = grid.cells[r][i];
            QColor background = columnBackground(column);
            QColor foreground(P::Text);
            bool bold = false;
            Qt::Alignment alignment = Qt::AlignHCenter;
            if (column.cell == QLatin1String("LabClass")) {
                bold = true;
            } else if (column.cell == QLatin1String("Tclass")) {
                background = QColor(tableexport::nameCellColour(shown, r));
                bold = shown.zonesMarked && r == 0;
                alignment = Qt::AlignLeft;
            } else if (column.cell == QLatin1String("TPTS") && text.contains(QLatin1Char('-'))) {
                foreground = QColor(P::NegativePoints);
            } else if (column.cell == QLatin1String("MJ") && row.belowAverage) {
                background = QColor(P::Green);
            }
            if (shown.highlightedColumns.contains(column.cell))
                background = QColor(P::Sorted);
            painter.setFont(bold ? layout.bold : layout.font);
            painter.setPen(foreground);
            cell(painter, QRectF(frame.xs[i], y, layout.widths[i], layout.rowHeight), text, background, layout,
                 alignment);
        }
        y += layout.rowHeight;
    }
    return y;
}

// The grid over the cells, from the headings' top to `bottom`: every row and
// column edge, the headings' inner edges only where a group is split.
void drawGridLines(QPainter &painter, const Layout &layout, const Frame &frame, double tableTop, double bottom,
                   const QList<Column> &cols, const QPen &gridPen)
{
    const std::vector<double> &xs = frame.xs;
    painter.setPen(gridPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(frame.left, tableTop, frame.width, bottom - tableTop));
    const double bodyTop = tableTop + 2 * layout.rowHeight;
    for (int r = 0; r < TeamCount; ++r) {
        const double rowY = bodyTop + r * layout.rowHeight;
        painter.drawLine(QPointF(frame.left, rowY), QPointF(frame.left + frame.width, rowY));
    }
    for (int i = 1; i < cols.size(); ++i) {
        const bool insideGroup = !cols[i].group.isEmpty() && cols[i - 1].group == cols[i].group;
        painter.drawLine(QPointF(xs[i], insideGroup ? tableTop + layout.rowHeight : tableTop), QPointF(xs[i], bottom));
    }
    for (int i = 0; i < cols.size(); ++i) {
        if (!cols[i].group.isEmpty())
            painter.drawLine(QPointF(xs[i], tableTop + layout.rowHeight),
                             QPointF(xs[i + 1], tableTop + layout.rowHeight));
    }
}

// The colour legend, then the league's footer lines, from `y` down.
void drawLegendAndFooter(QPainter &painter, const Layout &layout, const Frame &frame, double y,
                         const DisplayedStandings &shown, const QPen &gridPen)
{
    const double left = frame.left;
    const double width = frame.width;
    const QList<tableexport::LegendEntry> legend = tableexport::legend(shown);
    painter.setPen(QColor(P::Text));
    if (!legend.isEmpty()) {
        painter.setFont(layout.bold);
        painter.drawText(QRectF(left, y, width, layout.lineHeight), Qt::AlignLeft | Qt::AlignVCenter, LegendTitle);
        y += layout.lineHeight;
        painter.setFont(layout.font);
        const double swatch = layout.lineHeight * 0.7;
        for (const tableexport::LegendEntry &entry : legend) {
            const QRectF box(left, y + (layout.lineHeight - swatch) / 2, swatch * 1.6, swatch);
            painter.fillRect(box, QColor(entry.colour));
            painter.setPen(gridPen);
            painter.drawRect(box);
            painter.setPen(QColor(P::Text));
            painter.drawText(QRectF(box.right() + layout.padding * 2, y, width, layout.lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, entry.text);
            y += layout.lineHeight;
        }
    }
    painter.setFont(layout.font);
    for (const QString &line : tableexport::footerLines(shown)) {
        painter.drawText(QRectF(left, y, width, layout.lineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += layout.lineHeight;
    }
}

} // namespace

void drawTable(QPainter &painter, const QRectF &area, const DisplayedStandings &shown)
{
    const Grid grid = gridOf(shown);
    const Layout layout = fittedLayout(area, grid, shown, painter.device());
    const Frame frame = frameOf(layout, area.left(), int(grid.columns.size()));

    painter.save();
    painter.setPen(QColor(P::Text));
    const double tableTop = drawTitle(painter, layout, frame, area.top(), shown);
    drawHeadings(painter, layout, frame, tableTop, grid.columns);
    const double tableBottom = drawRows(painter, layout, frame, tableTop + 2 * layout.rowHeight, grid, shown);

    QPen gridPen(QColor(P::GridLine));
    gridPen.setWidthF(0.5 * layout.unit);
    drawGridLines(painter, layout, frame, tableTop, tableBottom, grid.columns, gridPen);
    drawLegendAndFooter(painter, layout, frame, tableBottom + layout.lineHeight * 0.6, shown, gridPen);
    painter.restore();
}

namespace {

// The writer stamps the document with the moment it is made; a file that
// must come out the same from the same table takes the moment it is given.
// The date keeps its place and length (blanks after it), so that the
// positions the file's index gives stay right.
void setCreationDate(QByteArray &pdf, const QDateTime &creation)
{
    const QByteArray key = "/CreationDate (";
    const qsizetype start = pdf.indexOf(key);
    const qsizetype end = start < 0 ? -1 : pdf.indexOf(')', start + key.size());
    if (end < 0)
        return;
    QByteArray date = "D:" + creation.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z)";
    const qsizetype length = end + 1 - (start + key.size());
    if (date.size() > length)
        return;
    date += QByteArray(length - date.size(), ' ');
    pdf.replace(start + key.size(), length, date);
}

} // namespace

QByteArray toPdf(const DisplayedStandings &shown, const QDateTime &creation)
{
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&page);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                                         QPageLayout::Millimeter));
        writer.setCreator(QStringLiteral("Kestrane 1"));
        writer.setTitle(PageTitle);
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        const QRectF area(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
        drawTable(painter, area, shown);
        painter.end();
    }
    QByteArray pdf = page.data();
    if (creation.isValid())
        setCreationDate(pdf, creation);
    return pdf;
}

bool writePdf(const DisplayedStandings &shown, const QString &path, QString &error)
{
    if (path.isEmpty()) {
        error = exportfile::cannotWrite(path);
        return false;
    }
    // The page is made in memory and then replaces the wanted file in one
    // step: nothing is written anywhere else, so a program stopped half-way
    // leaves no file behind.
    const QByteArray pdf = toPdf(shown);
    if (pdf.isEmpty()) {
        error = exportfile::cannotWrite(path);
        return false;
    }
    return exportfile::write(path, pdf, error);
}

} // namespace tablepdf
