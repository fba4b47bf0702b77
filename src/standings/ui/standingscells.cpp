#include "standings/ui/standingscells.h"

#include "shared/ui/fittedtext.h"
#include "shared/ui/twips.h"
#include "shared/ui/windowstyle.h"
#include "standings/ui/standingspalette.h"

#include <QLabel>
#include <QWidget>

namespace {

using Kind = StandingsCells::Kind;
namespace P = StandingsPalette;

struct ColumnLayout
{
    const char *name;
    int width;     // pixels, including the grid gap
    int gapBefore; // extra room before the column
    Kind kind;
    QRgb background;
    bool resettable; // restored by resetColumnColours()
};

// Screen order of the columns: rank, movement, team, the season totals, then
// the home/away split with the draws last.
constexpr ColumnLayout Columns[] = {
    {"LabClass", 24, 0, Kind::Rank, P::RankLabel, false},
    {"ImEvol", 17, 0, Kind::Icon, P::White, false},
    {"Tclass", 118, 0, Kind::Name, P::White, false},
    {"TPTS", 40, 0, Kind::Main, P::White, false},
    {"TDelta", 36, 0, Kind::Main, P::White, true},
    {"TBP", 33, 0, Kind::Main, P::Green, true},
    {"TBC", 42, 0, Kind::Main, P::Orange, true},
    {"MJ", 56, 0, Kind::Main, P::White, false},
    {"FP", 38, 0, Kind::Main, P::White, true},
    {"TBPD", 25, 4, Kind::HomeAway, P::White, false},
    {"TBPE", 25, 0, Kind::HomeAway, P::White, false},
    {"TBCD", 25, 0, Kind::HomeAway, P::White, false},
    {"TBCE", 25, 0, Kind::HomeAway, P::White, false},
    {"TPD", 25, 0, Kind::HomeAway, P::White, false},
    {"TPE", 25, 0, Kind::HomeAway, P::White, false},
    {"TMD", 25, 0, Kind::HomeAway, P::Green, true},
    {"TME", 25, 0, Kind::HomeAway, P::Green, true},
    {"TMpD", 25, 0, Kind::HomeAway, P::Orange, true},
    {"TMpE", 25, 0, Kind::HomeAway, P::Orange, true},
    {"TMN", 50, 0, Kind::HomeAway, P::Grey, true},
};

// A header covers the columns first..last over `levels` of the three header
// levels, starting at `level`.
constexpr int HeaderShrink = 2; // points

struct HeaderLayout
{
    const char *text;
    const char *first;
    const char *last;
    int level;
    int levels;
};

constexpr HeaderLayout Headers[] = {
    {"", "LabClass", "ImEvol", 0, 3},    {"Equipe", "Tclass", "Tclass", 0, 3}, {"Points", "TPTS", "TPTS", 0, 3},
    {"Delta", "TDelta", "TDelta", 0, 3}, {"Pour", "TBP", "TBP", 0, 3},         {"Contre", "TBC", "TBC", 0, 3},
    {"Matches Joués", "MJ", "MJ", 0, 3}, {"Fair Play", "FP", "FP", 0, 3},      {"Buts", "TBPD", "TBCE", 0, 1},
    {"Pour", "TBPD", "TBPE", 1, 1},      {"Contres", "TBCD", "TBCE", 1, 1},    {"Points", "TPD", "TPE", 0, 2},
    {"Gagnés", "TMD", "TME", 0, 2},      {"Perdus", "TMpD", "TMpE", 0, 2},     {"Matches", "TMN", "TMN", 0, 2},
    {"Dom", "TBPD", "TBPD", 2, 1},       {"Ext", "TBPE", "TBPE", 2, 1},        {"Dom", "TBCD", "TBCD", 2, 1},
    {"Ext", "TBCE", "TBCE", 2, 1},       {"Dom", "TPD", "TPD", 2, 1},          {"Ext", "TPE", "TPE", 2, 1},
    {"Dom", "TMD", "TMD", 2, 1},         {"Ext", "TME", "TME", 2, 1},          {"Dom", "TMpD", "TMpD", 2, 1},
    {"Ext", "TMpE", "TMpE", 2, 1},       {"Nuls", "TMN", "TMN", 2, 1},
};

const ColumnLayout *layoutOf(const QString &column)
{
    for (const ColumnLayout &layout : Columns) {
        if (column == QLatin1String(layout.name))
            return &layout;
    }
    return nullptr;
}

} // namespace

StandingsCells::StandingsCells(QWidget *parent)
{
    int x = 0;
    for (const ColumnLayout &layout : Columns) {
        x += layout.gapBefore;
        const QString name = QString::fromLatin1(layout.name);
        m_names.append(name);
        m_columnSpan.insert(name, QRect(x, 0, layout.width - 1, 0));
        std::array<QLabel *, Rows> &column = m_cells[name];
        for (int row = 0; row < Rows; ++row) {
            auto *label = new QLabel(parent);
            label->setObjectName(name);
            label->setProperty("index", row);
            // Team names come from files: never let them be read as markup.
            label->setTextFormat(Qt::PlainText);
            label->setAutoFillBackground(true);
            label->setMouseTracking(true);
            if (layout.kind == Kind::Name) {
                label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
                label->setIndent(3);
            } else {
                label->setAlignment(Qt::AlignCenter);
            }
            if (layout.kind == Kind::Rank)
                windowstyle::setBold(label, true);
            windowstyle::setFillColour(label, QColor(layout.background));
            windowstyle::setTextColour(label, QColor(P::Text));
            label->setGeometry(x, rowTop(row), layout.width - 1, rowBottom(row) - rowTop(row));
            column[row] = label;
        }
        x += layout.width;
    }
    m_width = x - 1;
    createHeaders(parent);
}

void StandingsCells::createHeaders(QWidget *parent)
{
    for (const HeaderLayout &layout : Headers) {
        const QRect first = m_columnSpan.value(QString::fromLatin1(layout.first));
        const QRect last = m_columnSpan.value(QString::fromLatin1(layout.last));
        auto *label = new QLabel(parent);
        label->setObjectName(QStringLiteral("Header"));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        windowstyle::setFillColour(label, QColor(P::Header));
        windowstyle::setTextColour(label, QColor(P::Text));
        // The Dom/Ext row is narrow: plain weight keeps it inside its cells.
        windowstyle::setBold(label, layout.level < 2);
        const int top = layout.level * HeaderLevelHeight;
        label->setGeometry(first.left(), top, last.right() - first.left() + 1, layout.levels * HeaderLevelHeight - 1);
        // A word wider than its narrow column takes a smaller font.
        fittedtext::setText(label, QString::fromUtf8(layout.text), HeaderShrink);
    }
}

QLabel *StandingsCells::cell(const QString &column, int row) const
{
    const auto it = m_cells.constFind(column);
    if (it == m_cells.constEnd() || row < 0 || row >= Rows)
        return nullptr;
    return (*it)[row];
}

StandingsCells::Kind StandingsCells::kindOf(const QString &column)
{
    const ColumnLayout *layout = layoutOf(column);
    return layout ? layout->kind : Kind::Icon;
}

void StandingsCells::resetColumnColours()
{
    for (const ColumnLayout &layout : Columns) {
        if (!layout.resettable)
            continue;
        for (QLabel *label : m_cells.value(QString::fromLatin1(layout.name)))
            windowstyle::setFillColour(label, QColor(layout.background));
    }
}

void StandingsCells::paintColumns(const QStringList &columns, const QColor &colour)
{
    for (const QString &column : columns) {
        const auto it = m_cells.constFind(column);
        if (it == m_cells.constEnd())
            continue;
        for (QLabel *label : *it)
            windowstyle::setFillColour(label, colour);
    }
}

int StandingsCells::rowTop(int row)
{
    // Accumulated in twips so that rounding never drifts over the 20 rows.
    return HeaderHeight + twips(250 * row);
}

int StandingsCells::rowBottom(int row)
{
    return rowTop(row + 1) - 1;
}
