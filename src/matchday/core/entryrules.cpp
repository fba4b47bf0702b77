#include "matchday/core/entryrules.h"

#include "season/core/textutil.h"

namespace entry {

ScoreLook scoreLook(const QString &homeGoals, const QString &awayGoals)
{
    ScoreLook look;
    look.home.colour = colour::Neutral;
    look.away.colour = colour::Neutral;
    const int home = text::leadingCount(homeGoals);
    const int away = text::leadingCount(awayGoals);
    if (away < home) {
        look.home.colour = colour::Winner;
        look.away.colour = colour::Loser;
    } else if (away > home) {
        look.home.colour = colour::Loser;
        look.away.colour = colour::Winner;
    } else if (!awayGoals.isEmpty()) {
        // An empty away box is a score not typed yet, never a draw.
        look.home.colour = colour::Draw;
        look.away.colour = colour::Draw;
    }
    look.home.bold = !homeGoals.isEmpty();
    look.away.bold = !awayGoals.isEmpty();
    return look;
}

QString cutCardCount(const QString &text)
{
    QString result = text;
    // The cut text is checked again, as the box's own change would.
    while (result.trimmed().size() > 1)
        result = result.left(1);
    return result;
}

CardLayout restingCards(const CardTexts &cards, bool show)
{
    CardLayout layout;
    if (cards.homeRed.isEmpty())
        layout.homeYellowLeft = HomeRedSlot;
    if (cards.awayRed.isEmpty())
        layout.awayYellowLeft = AwayRedSlot;
    layout.homeRedShown = show && !cards.homeRed.isEmpty();
    layout.homeYellowShown = show && !cards.homeYellow.isEmpty();
    layout.awayYellowShown = show && !cards.awayYellow.isEmpty();
    layout.awayRedShown = show && !cards.awayRed.isEmpty();
    return layout;
}

CardLayout openCards()
{
    CardLayout layout;
    layout.homeRedShown = layout.homeYellowShown = layout.awayYellowShown = layout.awayRedShown = true;
    return layout;
}

MatchRecord recordOf(QChar homeLetter, const CardTexts &cards, const QString &homeGoals, const QString &awayGoals,
                     QChar awayLetter)
{
    MatchRecord record;
    record[MatchRecord::HomeLetter] = QString(homeLetter);
    record[MatchRecord::HomeRed] = cards.homeRed;
    record[MatchRecord::HomeYellow] = cards.homeYellow;
    record[MatchRecord::HomeGoals] = homeGoals;
    record[MatchRecord::AwayGoals] = awayGoals;
    record[MatchRecord::AwayYellow] = cards.awayYellow;
    record[MatchRecord::AwayRed] = cards.awayRed;
    record[MatchRecord::AwayLetter] = QString(awayLetter);
    return record;
}

} // namespace entry
