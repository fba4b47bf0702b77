#pragma once

#include "matchday/core/entryrules.h"

#include <QChar>
#include <QString>

// One row of the match grid as a view wants it shown: the fixture it stands
// for, the box texts, the colours of the names and the card layout. Both the
// match-day view and a team's season are lists of these.
struct GridRow
{
    QString fixtureKey; // "0100": where a typed result of the row is saved
    QChar homeLetter;
    QChar awayLetter;
    QString homeName;
    QString awayName;
    quint32 homeBack = entry::colour::White;
    quint32 awayBack = entry::colour::White;
    entry::NameLook homeLook;
    entry::NameLook awayLook;
    QString homeGoals; // box texts: a stored "-" is shown empty
    QString awayGoals;
    entry::CardTexts cards;
    entry::CardLayout cardLayout;
    QString info; // return leg, first-leg score or the date of the match
    quint32 infoColour = entry::colour::Black;
    bool infoBold = false;
};
