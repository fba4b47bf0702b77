#include "team/ui/rankevolutionchart.h"

#include "shared/core/palette.h"
#include "standings/core/leaguezones.h"

#include <QPainter>
#include <QPainterPath>

namespace {
// Room for the rank numbers on the left, the match days below and the
// legend on the right.
constexpr int LeftMargin = 34;
constexpr int TopMargin = 16;
constexpr int BottomMargin = 34;
constexpr int LegendWidth = 170;
const QColor Grid(palette::graph::ChartGrid);
const QColor Axis(palette::graph::ChartAxis);
const QColor TitleZone(palette::graph::ChartTitleZone);
const QColor RelegationZone(palette::graph::ChartRelegationZone);
} // namespace

RankEvolutionChart::RankEvolutionChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ChartEvolution"));
    setMinimumSize(480, 300);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RankEvolutionChart::setSeries(std::vector<rankevolution::Series> series)
{
    m_series = std::move(series);
    update();
}

QColor RankEvolutionChart::colourOf(int series)
{
    static_assert(std::size(palette::graph::ChartSeries) == rankevolution::MaxTeams, "a colour per team shown");
    return QColor(palette::graph::ChartSeries[std::clamp(series, 0, rankevolution::MaxTeams - 1)]);
}

QRectF RankEvolutionChart::plotArea() const
{
    return QRectF(LeftMargin, TopMargin, std::max(width() - LeftMargin - LegendWidth, 40),
                  std::max(height() - TopMargin - BottomMargin, 40));
}

QPointF RankEvolutionChart::pointAt(int series, MatchDayNo day) const
{
    if (series < 0 || series >= int(m_series.size()) || day < 1 || day > MatchDayCount)
        return {};
    const int rank = m_series[series].ranks[day - 1];
    if (rank < 1)
        return {};
    const QRectF area = plotArea();
    const double x = area.left() + area.width() * (day - 1) / (MatchDayCount - 1);
    const double y = area.top() + area.height() * (rank - 1) / (TeamCount - 1);
    return {x, y};
}

void RankEvolutionChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    drawAxes(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int s = 0; s < int(m_series.size()); ++s)
        drawSeries(painter, s);
}

// The title and relegation zones, a line per rank, and the ranks and match
// days numbered along the axes.
void RankEvolutionChart::drawAxes(QPainter &painter) const
{
    const QRectF area = plotArea();
    const double rowHeight = area.height() / (TeamCount - 1);

    // The title place and the relegation places as bands behind the lines.
    // A rank's line runs through the middle of its band.
    const auto band = [&](int first, int last, const QColor &colour) {
        painter.fillRect(
            QRectF(area.left(), area.top() + rowHeight * (first - 1.5), area.width(), rowHeight * (last - first + 1)),
            colour);
    };
    band(leaguezones::Champion, leaguezones::Champion, TitleZone);
    band(leaguezones::Relegation.first, leaguezones::Relegation.last, RelegationZone);

    painter.setPen(Grid);
    for (int rank = 1; rank <= TeamCount; ++rank) {
        const double y = area.top() + rowHeight * (rank - 1);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    painter.setPen(Axis);
    for (int rank = 1; rank <= TeamCount; ++rank) {
        if (rank != 1 && rank % 5 != 0)
            continue;
        const double y = area.top() + rowHeight * (rank - 1);
        painter.drawText(QRectF(0, y - 8, LeftMargin - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(rank));
    }
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        if (day != 1 && day % 5 != 0 && day != MatchDayCount)
            continue;
        const double x = area.left() + area.width() * (day - 1) / (MatchDayCount - 1);
        painter.drawText(QRectF(x - 15, area.bottom() + rowHeight / 2 + 2, 30, 16), Qt::AlignCenter,
                         QString::number(day));
    }
}

// One team's line with a dot per ranked match day, and its legend entry.
void RankEvolutionChart::drawSeries(QPainter &painter, int s) const
{
    const QRectF area = plotArea();
    const QColor colour = colourOf(s);
    painter.setPen(QPen(colour, 2));
    // A match day without a rank breaks the line.
    QPainterPath path;
    bool drawing = false;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QPointF p = pointAt(s, day);
        if (p.isNull()) {
            drawing = false;
            continue;
        }
        drawing ? path.lineTo(p) : path.moveTo(p);
        drawing = true;
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(colour);
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        if (const QPointF p = pointAt(s, day); !p.isNull())
            painter.drawEllipse(p, 2.5, 2.5);
    }

    const double legendY = area.top() + 22.0 * s;
    const double legendX = area.right() + 16;
    painter.fillRect(QRectF(legendX, legendY + 4, 14, 8), colour);
    painter.setPen(Axis);
    painter.drawText(QRectF(legendX + 20, legendY, LegendWidth - 40, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(font()).elidedText(m_series[s].name, Qt::ElideRight, LegendWidth - 40));
}
