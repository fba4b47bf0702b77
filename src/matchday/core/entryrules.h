#pragma once

#include "season/core/matchrecord.h"

#include <QString>
#include <QtGlobal>

// The rules every row of the match grid follows while it is shown or typed
// into: how the team names are coloured from the score, where the card boxes
// sit, how long a card count may be, and the record a typed row becomes.
// Pure functions, so that the views, the command line and the widgets agree.
namespace entry {

// Colours as 0xRRGGBB; the widgets turn them into their own colour type.
namespace colour {
constexpr quint32 White = 0xFFFFFF;
constexpr quint32 Black = 0x000000;
constexpr quint32 Favourite = 0xFFFF00;  // the user's favourite team
constexpr quint32 ShownTeam = 0x80FF80;  // the team whose season is listed
constexpr quint32 SecondTeam = 0xFFFF80; // the second team of a locked selection
constexpr quint32 Neutral = 0x000040;    // names of a row being edited
constexpr quint32 Winner = 0xC00000;
constexpr quint32 Loser = 0xAAAAAA;
constexpr quint32 Draw = 0x008080;
constexpr quint32 Overdue = 0xFF0000; // a match left without a score
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
