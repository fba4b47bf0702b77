#include "team/ui/crestticker.h"

#include "shared/ui/twips.h"
#include "team/ui/teamstyle.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {
constexpr int StripHeight = 1125; // twips
} // namespace

CrestTicker::CrestTicker(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame10"));
    m_stripFrame = new QFrame(this);
    m_stripFrame->setObjectName(QStringLiteral("Frame9"));
    for (TeamNo team = 0; team < TeamCount; ++team) {
        QLabel *crest = teamstyle::label(m_stripFrame, QStringLiteral("ImBlas"), team,
                                         QRect(0, (twips(StripHeight) - CrestSize) / 2, CrestSize, CrestSize));
        crest->setScaledContents(true);
        crest->setMouseTracking(true);
        crest->installEventFilter(this);
        m_crests[team] = crest;
    }
    m_timer = new QTimer(this);
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(IntervalMs);
    connect(m_timer, &QTimer::timeout, this, &CrestTicker::tick);
    placeStrip();
}

void CrestTicker::start(const QList<TeamNo> &order)
{
    m_strip.arrange(order, CrestSize * 15);
    for (TeamNo team = 0; team < TeamCount; ++team) {
        QLabel *crest = m_crests[team];
        crest->setVisible(m_strip.isPlaced(team));
        if (m_strip.isPlaced(team))
            crest->move(twips(m_strip.crestLeft(team)), crest->y());
    }
    placeStrip();
    m_timer->start();
}

void CrestTicker::park()
{
    if (!m_timer->isActive())
        return;
    m_strip.park();
    placeStrip();
}

void CrestTicker::resume()
{
    if (!m_strip.hasLeft() && !m_timer->isActive())
        m_timer->start();
}

bool CrestTicker::isRunning() const
{
    return m_timer->isActive();
}

void CrestTicker::tick()
{
    m_strip.advance();
    placeStrip();
    if (m_strip.hasLeft()) {
        m_timer->stop();
        hide();
    }
    for (TeamNo team : m_strip.teamsInBand())
        emit teamInBand(team);
}

void CrestTicker::placeStrip()
{
    const int height = twips(StripHeight);
    m_stripFrame->setGeometry(twips(m_strip.left()), (this->height() - height) / 2, twips(m_strip.width()), height);
}

bool CrestTicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        const QVariant index = watched->property("index");
        if (index.isValid()) {
            m_timer->stop();
            emit crestPointed(index.toInt());
        }
    }
    return QFrame::eventFilter(watched, event);
}
