#pragma once

#include "season/core/season.h"

#include <QList>

#include <array>

// The strip of the 20 crests that scrolls through the ticker's window, in
// twips: where each crest stands on the strip, where the strip stands in the
// window, and which crest crosses the window's middle band. The ticker view
// moves its widgets after it; nothing else changes it.
class CrestStrip
{
public:
    static constexpr int Step = 25;        // per tick
    static constexpr int Gap = 200;        // between two crests
    static constexpr int StartLeft = 3000; // just beyond the right edge of the window
    static constexpr int BandLow = 1000;   // the middle band, both ends excluded
    static constexpr int BandHigh = 1500;
    static constexpr int ParkedLeft = -30000;

    // Lays the crests out left to right in `order` (the table's order), all
    // `crestWidth` wide, and puts the strip at its start.
    void arrange(const QList<TeamNo> &order, int crestWidth);

    int left() const { return m_left; }
    int width() const { return m_width; }
    int crestLeft(TeamNo team) const { return m_crestLeft.at(team); }
    bool isPlaced(TeamNo team) const { return m_crestLeft.at(team) != Unplaced; }

    void advance() { m_left -= Step; }
    void park() { m_left = ParkedLeft; }
    // The strip has fully left the window.
    bool hasLeft() const { return m_left < -m_width; }
    // Teams whose crest stands strictly inside the band, in team order.
    QList<TeamNo> teamsInBand() const;

private:
    static constexpr int Unplaced = -1000000;

    std::array<int, TeamCount> m_crestLeft = filled();
    int m_width = 0;
    int m_left = ParkedLeft;

    static std::array<int, TeamCount> filled()
    {
        std::array<int, TeamCount> lefts;
        lefts.fill(Unplaced);
        return lefts;
    }
};
