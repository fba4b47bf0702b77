#pragma once

// One feature of the window in a test, without the others: the session over
// the fixture's folder, a plain widget the size of the main window standing
// for it, with the match-day area in its place, the command buttons, and
// fakes for the neighbouring features.
#include "fakefeatures.h"
#include "programfixture.h"

#include "shared/ui/windowareas.h"
#include "shell/ui/commandbuttons.h"

#include <QFrame>

class FeatureFixture : public ProgramFixture
{
protected:
    FeatureFixture()
    {
        host.setFixedSize(windowareas::Window);
        area->setObjectName(QStringLiteral("Frame7"));
        area->setGeometry(windowareas::MatchDay);
    }
    QWidget *root() const override { return const_cast<QWidget *>(&host); }

    QWidget host;
    QFrame *area = new QFrame(&host); // the match-day area
    CommandButtons buttons;
    FakeCommandRunner commands;
    FakeRanking ranking;
    FakeTeamPanels teams;
    FakeMatchDayNavigator matchDay;
};
