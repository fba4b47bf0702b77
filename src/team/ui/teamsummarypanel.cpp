#include "team/ui/teamsummarypanel.h"

#include "shared/ui/fittedtext.h"
#include "shared/ui/twips.h"
#include "shared/ui/windowstyle.h"
#include "team/ui/teamstyle.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int CrestSize = 54;
constexpr int LineHeight = 17;
// The crest is centred in the last 1500 twips of the panel.
constexpr int CrestColumn = 1500;
// Pixels a count line may shrink before it is elided.
constexpr int CountShrink = 1;
} // namespace

TeamSummaryPanel::TeamSummaryPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame3"));
    windowstyle::setPixelSize(this, 11);
    const QStringList captions = {QStringLiteral("Equipe:"),         QStringLiteral("Classement: "),
                                  QStringLiteral("Matches Gagnés:"), QStringLiteral("Matches Perdus:"),
                                  QStringLiteral("Matches Nuls:"),   QStringLiteral("NomEQ"),
                                  QStringLiteral("Matches Joués:"),  QStringLiteral("+/-")};
    // The count lines stop short of the crest at the panel's right.
    constexpr int Wide = 211;
    const std::array<QRect, 8> places = {QRect(6, 5, 48, LineHeight),    QRect(6, 25, 100, LineHeight),
                                         QRect(6, 45, Wide, LineHeight), QRect(6, 63, Wide, LineHeight),
                                         QRect(6, 81, Wide, LineHeight), QRect(54, 5, 230, LineHeight),
                                         QRect(6, 99, Wide, LineHeight), QRect(106, 25, 56, LineHeight)};
    for (int i = 0; i < int(m_labels.size()); ++i) {
        m_labels[i] = teamstyle::label(this, QStringLiteral("Label11"), i, places[i]);
        m_labels[i]->setText(captions[i]);
        m_labels[i]->installEventFilter(this);
    }
    windowstyle::setBold(m_labels[5], true);
    windowstyle::setBold(m_labels[1], true);
    m_movement = teamstyle::label(this, QStringLiteral("Image12"), -1, QRect(164, 25, 16, 16));
    m_crest = teamstyle::label(this, QStringLiteral("Image3"), -1, QRect(0, 40, CrestSize, CrestSize));
    m_crest->setScaledContents(true);
    m_crest->installEventFilter(this);
}

void TeamSummaryPanel::showSummary(const TeamSummary &summary, const QPixmap &crest, const QPixmap &movement)
{
    m_crest->setPixmap(crest);
    m_crest->move(width() - CrestSize - (twips(CrestColumn) - CrestSize) / 2, m_crest->y());
    teamstyle::setText(m_labels[7], summary.movementText);
    teamstyle::setText(m_labels[1], summary.rankText);
    m_movement->setPixmap(movement);
    teamstyle::setText(m_labels[5], summary.name);
    fittedtext::setText(m_labels[2], summary.winsText, CountShrink);
    fittedtext::setText(m_labels[3], summary.lossesText, CountShrink);
    fittedtext::setText(m_labels[4], summary.drawsText, CountShrink);
    fittedtext::setText(m_labels[6], summary.playedText, CountShrink);
    for (int i : {1, 2, 3, 4, 6})
        m_labels[i]->show();
}

QString TeamSummaryPanel::team() const
{
    return m_labels[5]->text();
}

bool TeamSummaryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        emit clicked();
    return QFrame::eventFilter(watched, event);
}
