#include "shell/ui/exactoverlay.h"

#include "shell/core/session.h"
#include "standings/ui/standingstable.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QPushButton>

namespace {
const QString Caption = QStringLiteral("Calcul exact");
const QString ToolTip = QStringLiteral("Meilleur et pire classement final possibles, compte tenu des matches restants");
constexpr int Gap = 4;
constexpr int CheckPointSize = 7;
constexpr int SmallestPointSize = 7;
constexpr int ButtonPadding = 8;
} // namespace

ExactOverlay::ExactOverlay(Session &session, StandingsTable &table, QPushButton *button)
    : QObject(button->parentWidget())
    , m_session(session)
    , m_table(table)
    , m_runner(new OutlookRunner(40, this))
{
    m_check = new QCheckBox(Caption, button->parentWidget());
    m_check->setObjectName(QStringLiteral("CheckExact"));
    m_check->setToolTip(ToolTip);
    // White words on the window's background; the box keeps its own colours
    // so that the tick shows.
    QPalette palette = m_check->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    m_check->setPalette(palette);
    QFont small = m_check->font();
    small.setPointSize(CheckPointSize);
    m_check->setFont(small);
    const QRect row = button->geometry();
    const int width = m_check->sizeHint().width();
    m_check->setGeometry(row.right() + 1 - width, row.y(), width, row.height());
    button->setGeometry(row.x(), row.y(), row.width() - width - Gap, row.height());
    // The shortened button keeps its whole caption, in a smaller type if need be.
    QFont font = button->font();
    while (font.pointSize() > SmallestPointSize
           && QFontMetrics(font).horizontalAdvance(button->text()) + ButtonPadding > button->width())
        font.setPointSize(font.pointSize() - 1);
    button->setFont(font);

    connect(m_check, &QCheckBox::toggled, this, [this] {
        cancel();
        emit toggled();
    });
    // Another table on display stops the solve of the old one at once.
    connect(&m_session.standings(), &StandingsModel::displayedChanged, this, [this] {
        if (m_runner->busy() && !stillDisplayed())
            m_runner->cancel();
    });
    connect(m_runner, &OutlookRunner::solved, this,
            [this](const OutlookProblem &problem, const std::vector<RankRange> &ranges) {
                // The overlay may have gone, or shown another table, meanwhile.
                if (m_table.reachableShown() && enabled() && stillDisplayed())
                    fill(problem, ranges);
            });
}

bool ExactOverlay::enabled() const
{
    return m_check->isChecked();
}

void ExactOverlay::show()
{
    // Reading the question is quick (the table's points and the store's
    // fixtures); solving it is not, and never happens on this thread.
    m_asked = standingsOf(m_session.standings().displayed());
    const OutlookProblem problem = outlookProblem(m_session.season(), m_session.store(), m_asked);
    if (std::optional<std::vector<RankRange>> kept = m_runner->request(problem))
        fill(problem, *kept);
    else
        m_table.showRankRangesPending();
}

void ExactOverlay::cancel()
{
    m_runner->cancel();
}

void ExactOverlay::fill(const OutlookProblem &problem, const std::vector<RankRange> &ranges)
{
    const SeasonOutlook outlook = seasonOutlook(m_asked, problem, ranges);
    m_table.showRankRanges(outlook);
    if (outlook.championClinched())
        emit championClinched(outlook.rows[0].name);
}

bool ExactOverlay::stillDisplayed() const
{
    const DisplayedStandings &shown = m_session.standings().displayed();
    if (!shown.sortCode.isEmpty() || shown.upToMatchDay != m_asked.upToMatchDay)
        return false;
    for (int i = 0; i < TeamCount; ++i) {
        if (shown.rows[i].data.team != m_asked.rows[i].team
            || shown.rows[i].data.rankingKey != m_asked.rows[i].rankingKey)
            return false;
    }
    return true;
}
