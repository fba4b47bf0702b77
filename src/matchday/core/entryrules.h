#pragma once

#include "season/core/matchrecord.h"
#include "shared/core/palette.h"

#include <QString>
#include <QtGlobal>

// The rules every row of the match grid follows while it is shown or typed
// into: how the team names are coloured from the score, where the card boxes
// sit, how long a card count may be, and the record a typed row becomes.
// Pure functions, so that the views, the command line and the widgets agree.
namespace entry {

// The palette's colours as the rows name them (0xRRGGBB); the widgets turn
// them into their own colour type.
namespace colour {
constexpr quint32 White = palette::White;
constexpr quint32 Black = palette::Black;
constexpr quint32 Favourite = palette::entry::Favourite;
constexpr quint32 ShownTeam = palette::entry::ShownTeam;
constexpr quint32 SecondTeam = palette::entry::SecondTeam;
constexpr quint32 Neutral = palette::entry::Neutral;
constexpr quint32 Winner = palette::entry::Winner;
constexpr quint32 Loser = palette::entry::Loser;
constexpr quint32 Draw = palette::entry::Draw;
constexpr quint32 Overdue = palette::entry::Overdue;
} // namespace colour

// Left edges of the card boxes within a row, in twips.
constexpr int HomeRedSlot = 15;
constexpr int HomeYellowSlot = 180;
constexpr int AwayYellowSlot = 3105;
constexpr int AwayRedSlot = 3270;

struct NameLook
{
    quint32 colour = colour::Black;
    bool bold = false;
    bool operator==(const NameLook &) const = default;
};

struct ScoreLook
{
    NameLook home;
    NameLook away;
};

// The names of a row from the texts of its two score boxes: the winner red,
// the loser grey, a draw teal (only once the away box holds something), each
// name bold while its own score box is filled. Texts count by their leading
// number, so "-" or a letter counts 0.
ScoreLook scoreLook(const QString &homeGoals, const QString &awayGoals);

// A card count longer than one character (blanks at the ends aside) is cut
// to its first character: "12" gives "1", " 3" stays.
QString cutCardCount(const QString &text);

struct CardTexts
{
    QString homeRed, homeYellow, awayYellow, awayRed;
};

// Where the four card boxes of a row stand and which of them show.
struct CardLayout
{
    int homeYellowLeft = HomeYellowSlot;
    int awayYellowLeft = AwayYellowSlot;
    bool homeRedShown = false;
    bool homeYellowShown = false;
    bool awayYellowShown = false;
    bool awayRedShown = false;
};

// The card boxes at rest: a yellow card without a red one takes the outer
// slot, and a box shows when `show` allows it and it holds something.
CardLayout restingCards(const CardTexts &cards, bool show);
// The card boxes opened for typing: each at its own slot, all four shown.
CardLayout openCards();

// The record a typed row is saved as, every box as typed.
MatchRecord recordOf(QChar homeLetter, const CardTexts &cards, const QString &homeGoals, const QString &awayGoals,
                     QChar awayLetter);

} // namespace entry
