// The match days and results entry alone: the match-day area and the month
// calendar, with fakes for the ranking, the team panels and the commands.
#include "contrast.h"
#include "featurefixture.h"
#include "matchdaytestsupport.h"

#include "shared/ui/announcer.h"
#include "shell/ui/matchdaycontroller.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QSignalSpy>

namespace {

const QColor Navy(0x00, 0x00, 0x80), Teal(0x00, 0x80, 0x80);
const QColor Coming(0x00, 0x00, 0xC0), Past(0x00, 0x80, 0x00), Today(0xC0, 0x00, 0x00);
// Match day 18 of the bundled season, Saturday 7 December 2013: SC Corvenne
// (H) at home to Dravillac FC (I), then AS Saint-Aubrac (B) to Union Quézenay (O).
const QString Corvenne = QStringLiteral("SC Corvenne");
// Under the side column's eighteen commands, as in the window.
constexpr QPoint MonthsAt(12, 502);

class MatchDayControllerTest : public FeatureFixture
{
protected:
    void SetUp() override
    {
        FeatureFixture::SetUp();
        // The pointer left over a month by an earlier test would preview it
        // as soon as the widgets show.
        QCursor::setPos(1, 1);
    }

    // The controller on the fixture's folder, showing the current match day
    // with its month, as start-up leaves it. "Valider" and Enter save, and
    // the summary shows what it is asked, as in the window.
    MatchDayController &build()
    {
        openSession();
        session->state().setStartTime(clock.now());
        // A command of the side column, above the calendar, takes the focus
        // as the window opens, as it does in the window.
        buttons.create(Command::GeneralStandings, &host)->setGeometry(windowareas::FirstCommand);
        announcer = new Announcer(&host);
        controller = std::make_unique<MatchDayController>(
            MatchDayController::Needs{*session, prompt, buttons, commands, ranking, teams, *area, host, MonthsAt});
        QObject::connect(&buttons, &CommandButtons::clicked, [this](Command command) { commands.run(command); });
        commands.onRun = [this](Command command) {
            if (command == Command::Save)
                controller->saveEnteredResults();
        };
        teams.onSummary = [this](const QString &team) { session->state().setSummaryTeam(team); };
        controller->showMonths();
        controller->showCurrentMatchDay();
        host.show();
        host.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
        return *controller;
    }

    std::unique_ptr<MatchDayController> controller;
    Announcer *announcer = nullptr; // the window's, which screen readers hear
};

} // namespace

TEST_F(MatchDayControllerTest, TheCurrentMatchDayShowsWithItsMonthPreviewed)
{
    build(); // Thursday 5 December 2013, 20:00
    EXPECT_EQ(text(QStringLiteral("Label1")), QStringLiteral("Journée N°18: Samedi 07 Décembre.  Dans 1 jour"));
    EXPECT_EQ(textColour(QStringLiteral("Label1")), Coming);
    EXPECT_EQ(session->state().displayedMatchDay(), 18);
    EXPECT_EQ(box("T1", 0)->text(), Corvenne);
    EXPECT_EQ(widget<QLineEdit>(QStringLiteral("Nm"), 0)->text(), QStringLiteral("1800"));
    EXPECT_TRUE(box("T1", 9)->isVisible());
    EXPECT_FALSE(box("T1", 10)->isVisible());

    // Nothing typed yet: "Valider" waits out of sight.
    EXPECT_TRUE(button(Command::Save)->isHidden());
    EXPECT_FALSE(session->state().unsavedEntries());

    // The day's totals stand out from the grid's light fill they lie on.
    QWidget *grid = widget(QStringLiteral("MatchGrid"));
    EXPECT_TRUE(grid->geometry().contains(widget(QStringLiteral("Label26"))->geometry()));
    EXPECT_GE(contrastRatio(textColour(QStringLiteral("Label26")), grid->palette().color(QPalette::Window)), 4.5);

    // The number of match days due, with a caption of its own beside it.
    EXPECT_EQ(text(QStringLiteral("Label25")), QStringLiteral("17"));
    auto *caption = widget<QLabel>(QStringLiteral("Label25Caption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->isVisible());
    EXPECT_FALSE(caption->text().isEmpty());
    EXPECT_LT(caption->geometry().right(), widget<QLabel>(QStringLiteral("Label25"))->x());

    // December listed beside the months: two match days before the winter break.
    EXPECT_EQ(text(QStringLiteral("Label2"), 0), QStringLiteral("Journée 18 : 07 déc."));
    EXPECT_EQ(text(QStringLiteral("Label2"), 1), QStringLiteral("Journée 19 : 14 déc."));
    EXPECT_FALSE(widget<QLabel>(QStringLiteral("Label2"), 2)->isVisible());
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("4"));
    EXPECT_EQ(widget<QLabel>(QStringLiteral("LabMois"), 4)->palette().color(QPalette::Window), Teal);

    // Once the season is over the count runs on for the rank marks, but the
    // reader is told of the season's 38 match days.
    session->state().setDueMatchDays(AppState::InitialDueMatchDays);
    EXPECT_EQ(text(QStringLiteral("Label25")), QStringLiteral("38"));

    // Every header stays whole on one line, clear of the news line under it,
    // the longest counts of days to come too.
    clock.set(QDateTime(QDate(2013, 8, 1), QTime(12, 0)));
    auto *header = widget<QLabel>(QStringLiteral("Label1"));
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        controller->showMatchDay(day);
        EXPECT_TRUE(header->text().endsWith(QStringLiteral(" jours"))) << header->text().toStdString();
        EXPECT_FALSE(header->wordWrap());
        EXPECT_LE(QFontMetrics(header->font(), header).horizontalAdvance(header->text()),
                  header->contentsRect().width() - header->indent())
            << day;
    }
}

TEST_F(MatchDayControllerTest, SavesTheRowsWithAHomeScoreExactlyAsTypedAndOffersTheExportOnTheSecondSave)
{
    keepResultsUpTo(17);
    addSendingTool();
    build();
    const QString before1700 = stored(QStringLiteral("1700"));
    ASSERT_FALSE(before1700.isEmpty());

    typeInto("R1", 0, QStringLiteral("2"));
    EXPECT_FALSE(button(Command::Save)->isHidden());
    EXPECT_TRUE(session->state().unsavedEntries());
    QTest::mouseClick(box("R1", 0), Qt::LeftButton);
    typeInto("CJ1", 0, QStringLiteral("1"));
    EXPECT_TRUE(announcer->lastMessage().isEmpty());
    QSignalSpy ranked(session.get(), &Session::resultsRefreshed);
    click(Command::Save);
    EXPECT_EQ(announcer->lastMessage(), QStringLiteral("Résultats enregistrés."));

    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H||1|2||||I"));
    EXPECT_EQ(stored(QStringLiteral("1700")), before1700);
    EXPECT_EQ(session->store().stamp(), QStringLiteral("05 déc. 20:00"));
    EXPECT_TRUE(button(Command::Save)->isHidden());
    EXPECT_FALSE(session->state().unsavedEntries());
    EXPECT_TRUE(prompt.messages.isEmpty());
    // The store had not changed since start-up: nothing new to send yet.
    EXPECT_FALSE(session->state().sendingOffered());
    // The teams are ranked again once, with the movements of the match day shown.
    EXPECT_EQ(ranked.count(), 1);
    EXPECT_EQ(ranking.movements, QList<int>{18});
    // The home yellow card rests in the outer slot, the empty boxes hide.
    EXPECT_TRUE(box("CJ1", 0)->isVisible());
    EXPECT_EQ(box("CJ1", 0)->x(), box("CR1", 0)->x());
    EXPECT_FALSE(box("CR1", 0)->isVisible());

    typeInto("R2", 0, QStringLiteral("1"));
    click(Command::Save);
    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H||1|2|1|||I"));
    EXPECT_TRUE(session->state().sendingOffered());
}

TEST_F(MatchDayControllerTest, RowsWithoutAHomeScoreAreNamedAndWaitAsTyped)
{
    keepResultsUpTo(17);
    build();
    typeInto("R1", 0, QStringLiteral("2"));
    typeInto("R2", 0, QStringLiteral("0"));
    // Cards alone on the second row, an away score alone on the third.
    QTest::mouseClick(box("R1", 1), Qt::LeftButton);
    typeInto("CJ1", 1, QStringLiteral("1"));
    typeInto("R2", 2, QStringLiteral("3"));
    click(Command::Save);

    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||2|0|||I"));
    EXPECT_EQ(stored(QStringLiteral("1801")), QStringLiteral("|||||||"));
    EXPECT_EQ(stored(QStringLiteral("1802")), QStringLiteral("|||||||"));
    ASSERT_EQ(prompt.messages.size(), 1);
    const QString message = prompt.messages[0];
    EXPECT_TRUE(message.startsWith(QStringLiteral("Valider\nCes lignes n'ont pas été enregistrées :")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Journée 18, %1 - %2 : cartons sans score de l'équipe à domicile")
                                     .arg(box("T1", 1)->text(), box("T2", 1)->text())))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Journée 18, %1 - %2 : score de l'équipe à l'extérieur sans score")
                                     .arg(box("T1", 2)->text(), box("T2", 2)->text())))
        << message.toStdString();
    EXPECT_FALSE(message.contains(Corvenne));
    // The boxes stay as typed, open, and "Valider" waits for them.
    EXPECT_FALSE(button(Command::Save)->isHidden());
    EXPECT_TRUE(session->state().unsavedEntries());
    EXPECT_EQ(box("CJ1", 1)->text(), QStringLiteral("1"));
    EXPECT_TRUE(box("CJ1", 1)->isVisible());
    EXPECT_TRUE(box("CR1", 1)->isVisible());
    EXPECT_EQ(box("R2", 2)->text(), QStringLiteral("3"));

    // Completed, they go through and "Valider" rests.
    typeInto("R1", 1, QStringLiteral("1"));
    typeInto("R2", 1, QStringLiteral("1"));
    typeInto("R1", 2, QStringLiteral("0"));
    click(Command::Save);
    EXPECT_EQ(prompt.messages.size(), 1);
    EXPECT_EQ(stored(QStringLiteral("1801")), QStringLiteral("B||1|1|1|||O"));
    EXPECT_EQ(stored(QStringLiteral("1802")).section(QLatin1Char('|'), 3, 4), QStringLiteral("0|3"));
    EXPECT_TRUE(button(Command::Save)->isHidden());
}

TEST_F(MatchDayControllerTest, TabAndEnterTypeAWholeMatchDay)
{
    keepResultsUpTo(17);
    build();
    box("R1", 0)->setFocus();
    const auto type = [](const QString &keys) { QTest::keyClicks(QApplication::focusWidget(), keys); };
    const auto tab = [](int times) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    };
    type(QStringLiteral("2"));
    tab(1); // away score
    type(QStringLiteral("1"));
    tab(1); // away yellow
    type(QStringLiteral("3"));
    tab(3); // away red, then the next row's home red and home yellow
    type(QStringLiteral("1"));
    tab(1); // home score
    type(QStringLiteral("0"));
    tab(1);
    type(QStringLiteral("0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||2|1|3||I"));
    EXPECT_EQ(stored(QStringLiteral("1801")), QStringLiteral("B||1|0|0|||O"));
    EXPECT_FALSE(session->state().unsavedEntries());

    // Enter with nothing typed saves nothing (the stamp stays as it was).
    ASSERT_TRUE(session->store().saveResults(QStringLiteral("01 déc. 10:00"), {}));
    box("R1", 2)->setFocus();
    QTest::keyClick(box("R1", 2), Qt::Key_Return);
    EXPECT_EQ(session->store().stamp(), QStringLiteral("01 déc. 10:00"));
}

TEST_F(MatchDayControllerTest, ASaveThatCannotBeWrittenIsReportedAndKeepsTheGrid)
{
    keepResultsUpTo(17);
    padStore();
    build();
    const QByteArray before = folder.read(QStringLiteral("Resultats2013.ini"));
    typeInto("R1", 0, QStringLiteral("2"));
    typeInto("R2", 0, QStringLiteral("2"));
    {
        UnwritableFolder readOnly(folder.path());
        click(Command::Save);
    }
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith(QStringLiteral("Valider\nLes résultats n'ont pas pu être enregistrés")));
    EXPECT_FALSE(button(Command::Save)->isHidden());
    EXPECT_EQ(box("R1", 0)->text(), QStringLiteral("2"));
    EXPECT_EQ(box("R2", 0)->text(), QStringLiteral("2"));
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), before);

    // Once the folder can be written again, the same entry goes through.
    click(Command::Save);
    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||2|2|||I"));
    EXPECT_TRUE(button(Command::Save)->isHidden());
}

TEST_F(MatchDayControllerTest, CalendarLocksOnAMonthUnlocksOnALineAndOpensTheMatchDay)
{
    clock.set(QDateTime(QDate(2013, 12, 7), QTime(15, 0))); // match day 18 is today
    build();
    EXPECT_EQ(textColour(QStringLiteral("Label2"), 0), Today);
    EXPECT_EQ(textColour(QStringLiteral("Label2"), 1), Coming);
    EXPECT_EQ(textColour(QStringLiteral("Label1")), Today);

    auto *lock = widget<QCheckBox>(QStringLiteral("Check1"));
    const auto month = [this](int k) { return widget<QLabel>(QStringLiteral("LabMois"), k); };
    QTest::mouseMove(month(0));
    EXPECT_EQ(text(QStringLiteral("Label2"), 3), QStringLiteral("Journée 4 : 31 août"));
    EXPECT_EQ(textColour(QStringLiteral("Label2"), 3), Past);
    QTest::mouseClick(month(0), Qt::LeftButton);
    EXPECT_TRUE(lock->isChecked());

    // Locked: travelling over other months changes nothing, colours included.
    QTest::mouseMove(month(2));
    EXPECT_EQ(text(QStringLiteral("Label2"), 0), QStringLiteral("Journée 1 : 10 août"));
    EXPECT_EQ(month(2)->palette().color(QPalette::Window), Navy);
    EXPECT_EQ(month(0)->palette().color(QPalette::Window), Teal);

    // Reaching a line unlocks; the next month hovered lists its own days.
    QTest::mouseMove(widget<QLabel>(QStringLiteral("Label2"), 1));
    EXPECT_FALSE(lock->isChecked());
    QTest::mouseMove(month(2));
    EXPECT_EQ(text(QStringLiteral("Label2"), 0), QStringLiteral("Journée 9 : 05 oct."));

    // A click on a line opens its match day and says so (the second-team
    // lock is released).
    QSignalSpy chosen(controller.get(), &MatchDayController::calendarDayChosen);
    QTest::mouseClick(widget<QLabel>(QStringLiteral("Label2"), 3), Qt::LeftButton);
    EXPECT_EQ(session->state().displayedMatchDay(), 12);
    EXPECT_TRUE(text(QStringLiteral("Label1")).startsWith(QStringLiteral("Journée N°12: Samedi 26 Octobre.")));
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(announcer->lastMessage(), QStringLiteral("Journée 12 affichée : samedi 26 octobre 2013."));

    // The pointer back on the window background: no month stays teal.
    controller->resetMonthHover();
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(month(k)->palette().color(QPalette::Window), Navy) << k;
}

TEST_F(MatchDayControllerTest, ATeamsSeasonIsListedAndCanBeTypedInto)
{
    keepResultsUpTo(17);
    clock.set(QDateTime(QDate(2013, 12, 16), QTime(12, 0)));
    build();
    controller->showTeamSeason(Corvenne);
    EXPECT_EQ(session->state().displayedMatchDay(), 0);
    EXPECT_FALSE(widget<QLabel>(QStringLiteral("Label26"))->isVisible());
    for (int k = 0; k < 38; ++k)
        EXPECT_TRUE(box("T1", k)->text() == Corvenne || box("T2", k)->text() == Corvenne) << k;
    // Match day 18 (7 December) has no score nine days later: its date is red.
    EXPECT_EQ(text(QStringLiteral("InfoM"), 17), QStringLiteral("07 12 13"));
    EXPECT_EQ(textColour(QStringLiteral("InfoM"), 17), QColor(0xFF, 0x00, 0x00));
    EXPECT_TRUE(widget<QLabel>(QStringLiteral("InfoM"), 17)->font().bold());
    EXPECT_EQ(textColour(QStringLiteral("InfoM"), 16), QColor(0x00, 0x00, 0x00));

    typeInto("R1", 17, QStringLiteral("1"));
    typeInto("R2", 17, QStringLiteral("1"));
    QSignalSpy ranked(session.get(), &Session::resultsRefreshed);
    click(Command::Save);
    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||1|1|||I"));
    // A team's season shows no match day: the table is ranked, no movement marked.
    EXPECT_EQ(ranked.count(), 1);
    EXPECT_TRUE(ranking.movements.isEmpty());

    // An unknown team leaves the grid as it was.
    controller->showTeamSeason(QStringLiteral("Personne"));
    EXPECT_EQ(box("R1", 17)->text(), QStringLiteral("1"));
}
