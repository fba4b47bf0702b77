#pragma once

#include "team/core/rankevolution.h"

#include <QColor>
#include <QPointF>
#include <QWidget>

#include <vector>

class QPainter;

// The line chart of the statistics view: the rank of two to four teams
// after each match day, rank 1 on top, match days left to right. It draws
// the series it is given and keeps nothing else.
class RankEvolutionChart : public QWidget
{
    Q_OBJECT
public:
    explicit RankEvolutionChart(QWidget *parent = nullptr);

    void setSeries(std::vector<rankevolution::Series> series);
    const std::vector<rankevolution::Series> &series() const { return m_series; }

    // Where the point of a series at a match day is drawn; a null point when
    // the series has no rank there.
    QPointF pointAt(int series, MatchDayNo day) const;
    static QColor colourOf(int series);

    QSize sizeHint() const override { return {760, 420}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF plotArea() const;
    void drawAxes(QPainter &painter) const;
    void drawSeries(QPainter &painter, int s) const;

    std::vector<rankevolution::Series> m_series;
};
