#include "team/ui/rankinggraphpanel.h"

#include "shared/ui/twips.h"
#include "shared/ui/windowstyle.h"
#include "team/ui/teamstyle.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

namespace {
// Design of the bars in twips inside the panel.
constexpr int FirstBarLeft = 3030;
constexpr int BarPitch = 310;
constexpr int BarWidth = 280;
constexpr int DayTop = 8955, DayWidth = 285, DayHeight = 195;
const QColor BarText = windowstyle::colour(palette::graph::BarText);
const QColor UndrawnBar = windowstyle::colour(palette::graph::UndrawnBar);
} // namespace

RankingGraphPanel::RankingGraphPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame4"));
    windowstyle::setPixelSize(this, 11);

    m_title = teamstyle::label(this, QStringLiteral("Label13"), -1, QRect(84, 10, 600, 26));
    QFont title = m_title->font();
    title.setPixelSize(17);
    title.setBold(true);
    m_title->setFont(title);
    m_crest = teamstyle::label(this, QStringLiteral("Image4"), -1, QRect(10, 8, 64, 64));
    m_crest->setScaledContents(true);

    m_simulated = new QCheckBox(QStringLiteral("Voir aussi les matches simulés"), this);
    m_simulated->setObjectName(QStringLiteral("Check3"));
    m_simulated->setGeometry(84, 44, 300, 20);
    connect(m_simulated, &QCheckBox::clicked, this, &RankingGraphPanel::simulatedClicked);

    m_teams = new QListWidget(this);
    m_teams->setObjectName(QStringLiteral("List4"));
    m_teams->setGeometry(10, 130, 180, 20 * 17 + 6);
    connect(m_teams, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit teamChosen(row);
    });

    auto *foot = new QFrame(this);
    foot->setObjectName(QStringLiteral("Picture2"));
    foot->setGeometry(twipsRect(2850, 8775, 13245, 150));
    windowstyle::setFillColour(foot, windowstyle::colour(palette::graph::Foot));

    for (int k = 0; k < MatchDayCount; ++k) {
        // A bar never drawn waits above the panel, out of sight.
        QLabel *bar =
            teamstyle::label(this, QStringLiteral("LabGraph"), k,
                             twipsRect(FirstBarLeft + BarPitch * k, GraphBar::Hidden, BarWidth, -GraphBar::Hidden));
        bar->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        windowstyle::setFillColour(bar, UndrawnBar);
        windowstyle::setTextColour(bar, BarText);
        m_bars[k] = bar;
        QLabel *day = teamstyle::label(this, QStringLiteral("LabJR"), k,
                                       twipsRect(FirstBarLeft + BarPitch * k, DayTop, DayWidth, DayHeight));
        day->setAlignment(Qt::AlignCenter);
        day->setText(QString::number(k + 1));
        m_days[k] = day;
    }
}

void RankingGraphPanel::showLoading()
{
    m_title->setText(QStringLiteral("Chargement..."));
}

void RankingGraphPanel::setTeams(const QStringList &teams)
{
    if (m_teams->count() >= 10)
        return;
    const QSignalBlocker quiet(m_teams);
    m_teams->clear();
    m_teams->addItems(teams);
}

void RankingGraphPanel::selectTeam(int team)
{
    const QSignalBlocker quiet(m_teams);
    m_teams->setCurrentRow(team);
}

int RankingGraphPanel::selectedTeam() const
{
    return m_teams->currentRow();
}

QString RankingGraphPanel::selectedName() const
{
    const QListWidgetItem *item = m_teams->currentItem();
    return item ? item->text() : QString();
}

void RankingGraphPanel::drawBars(const std::array<std::optional<GraphBar>, MatchDayCount> &bars, const QString &title,
                                 const QPixmap &crest)
{
    for (int k = 0; k < MatchDayCount; ++k) {
        if (!bars[k])
            continue;
        const GraphBar &bar = *bars[k];
        QLabel *label = m_bars[k];
        label->setGeometry(twipsRect(FirstBarLeft + BarPitch * k, bar.top, BarWidth, bar.height));
        teamstyle::setText(label, bar.caption);
        windowstyle::setFillColour(label, QColor::fromRgb(bar.colour));
        label->raise();
    }
    m_crest->setPixmap(crest);
    m_title->setText(title);
}
