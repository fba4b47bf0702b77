#pragma once

#include "team/core/creststrip.h"

#include <QFrame>
#include <QList>

#include <array>

class QLabel;
class QTimer;

// The crest ticker's window `Frame10`: the strip `Frame9` of the 20 crests
// `ImBlas` scrolls through it from right to left, 25 twips every 15 ms. It
// tells when a crest crosses the middle band and when the pointer rests on
// a crest (which pauses it). The strip's geometry is kept by a CrestStrip.
class CrestTicker : public QFrame
{
    Q_OBJECT
public:
    static constexpr int IntervalMs = 15;
    static constexpr int CrestSize = 60; // pixels

    explicit CrestTicker(QWidget *parent = nullptr);

    // Lays the crests out in `order` (team numbers of the table's rows),
    // puts the strip at its start and runs the clock.
    void start(const QList<TeamNo> &order);
    // Pushes the strip out; the next tick then ends the ticker. Only while
    // the clock runs.
    void park();
    // Runs the clock again after a pause, while the strip is still in sight.
    void resume();
    bool isRunning() const;
    const CrestStrip &strip() const { return m_strip; }
    QLabel *crest(TeamNo team) const { return m_crests.at(team); }

    // One move of the strip; the clock calls it.
    void tick();

signals:
    void teamInBand(int team);
    void crestPointed(int team);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeStrip();

    CrestStrip m_strip;
    QTimer *m_timer = nullptr;
    QFrame *m_stripFrame = nullptr; // Frame9
    std::array<QLabel *, TeamCount> m_crests{};
};
