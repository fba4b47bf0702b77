#include "contrast.h"
#include "matchdaytestsupport.h"

#include "online/core/stamp.h"

#include <QCheckBox>

#include <functional>

namespace {
const QColor Navy(0x00, 0x00, 0x80), Teal(0x00, 0x80, 0x80);
const QColor Coming(0x00, 0x00, 0xC0), Past(0x00, 0x80, 0x00), Today(0xC0, 0x00, 0x00);
// Match day 18 of the bundled season, Saturday 7 December 2013: SC Corvenne
// (H) at home to Dravillac FC (I), then AS Saint-Aubrac (B) to Union Quézenay (O).
const QString Corvenne = QStringLiteral("SC Corvenne");
} // namespace

TEST_F(MatchDayWindow, StartUpShowsTheCurrentMatchDayAndPreviewsItsMonth)
{
    start(); // Thursday 5 December 2013, 20:00
    EXPECT_EQ(text(QStringLiteral("Label1")), QStringLiteral("Journée N°18: Samedi 07 Décembre.  Dans 1 jour"));
    EXPECT_EQ(textColour(QStringLiteral("Label1")), Coming);
    EXPECT_EQ(session->state().displayedMatchDay(), 18);
    EXPECT_EQ(box("T1", 0)->text(), Corvenne);
    EXPECT_EQ(widget<QLineEdit>(QStringLiteral("Nm"), 0)->text(), QStringLiteral("1800"));
    EXPECT_TRUE(box("T1", 9)->isVisible());
    EXPECT_FALSE(box("T1", 10)->isVisible());

    // Nothing typed yet: "Valider" waits out of sight.
    EXPECT_TRUE(button(Command::Save)->isHidden());
    EXPECT_FALSE(window->hasUnsavedEntries());

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
    clock.set(QDateTime(QDate(2014, 6, 1), QTime(12, 0)));
    start();
    EXPECT_EQ(session->state().dueMatchDays(), 40);
    EXPECT_EQ(text(QStringLiteral("Label25")), QStringLiteral("38"));
}

TEST_F(MatchDayWindow, SavesTheRowsWithAHomeScoreExactlyAsTypedAndOffersTheExportOnTheSecondSave)
{
    keepResultsUpTo(17);
    addSendingTool();
    start();
    const QString before1700 = stored(QStringLiteral("1700"));
    ASSERT_FALSE(before1700.isEmpty());

    typeInto("R1", 0, QStringLiteral("2"));
    EXPECT_FALSE(button(Command::Save)->isHidden());
    EXPECT_TRUE(window->hasUnsavedEntries());
    QTest::mouseClick(box("R1", 0), Qt::LeftButton);
    typeInto("CJ1", 0, QStringLiteral("1"));
    click(Command::Save);

    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H||1|2||||I"));
    EXPECT_EQ(stored(QStringLiteral("1700")), before1700);
    EXPECT_EQ(session->store().stamp(), QStringLiteral("05 déc. 20:00"));
    EXPECT_TRUE(button(Command::Save)->isHidden());
    EXPECT_FALSE(window->hasUnsavedEntries());
    EXPECT_TRUE(prompt.messages.isEmpty());
    // The store had not changed since start-up: nothing new to send yet.
    EXPECT_TRUE(button(Command::OpenSending)->isHidden());
    // The table counts the new result.
    EXPECT_EQ(standingOf(Corvenne).played, 18);
    // The home yellow card rests in the outer slot, the empty boxes hide.
    EXPECT_TRUE(box("CJ1", 0)->isVisible());
    EXPECT_EQ(box("CJ1", 0)->x(), box("CR1", 0)->x());
    EXPECT_FALSE(box("CR1", 0)->isVisible());

    typeInto("R2", 0, QStringLiteral("1"));
    click(Command::Save);
    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H||1|2|1|||I"));
    EXPECT_FALSE(button(Command::OpenSending)->isHidden());
}

TEST_F(MatchDayWindow, RowsWithoutAHomeScoreAreNamedAndWaitAsTyped)
{
    keepResultsUpTo(17);
    start();
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
    EXPECT_TRUE(window->hasUnsavedEntries());
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

TEST_F(MatchDayWindow, TypedResultsAskBeforeAnotherViewReplacesThem)
{
    keepResultsUpTo(17);
    start();
    const auto typeAScore = [this] {
        typeInto("R1", 0, QStringLiteral("4"));
        ASSERT_TRUE(window->hasUnsavedEntries());
        prompt.questions.clear();
    };
    const auto asked = [this] {
        const QString question = QStringLiteral("Valider\nDes résultats saisis n'ont pas été validés.");
        return prompt.questions.size() == 1 && prompt.questions[0].startsWith(question);
    };
    // Each way to another view: a number of the picker, a team of the
    // table, a line of the month calendar, the full table.
    const auto pickMatchDay = [this] {
        click(Command::PickMatchDay);
        QTest::mouseClick(widget<QLabel>(QStringLiteral("Label10"), 5), Qt::LeftButton);
    };
    const auto pickTeam = [this] { QTest::mouseClick(widget<QLabel>(QStringLiteral("Tclass"), 3), Qt::LeftButton); };
    const auto pickCalendarLine = [this] {
        QTest::mouseMove(widget<QLabel>(QStringLiteral("LabMois"), 1));
        QTest::mouseClick(widget<QLabel>(QStringLiteral("Label2"), 0), Qt::LeftButton);
    };
    const auto fullTable = [this] { click(Command::FullTable); };
    const auto exportPanelClosed = [this] {
        window->runCommand(Command::OpenSending);
        click(Command::CloseSending);
    };
    const std::array<std::pair<const char *, std::function<void()>>, 5> ways = {{{"picker", pickMatchDay},
                                                                                  {"team", pickTeam},
                                                                                  {"calendar", pickCalendarLine},
                                                                                  {"full table", fullTable},
                                                                                  {"export panel", exportPanelClosed}}};

    for (const auto &[way, open] : ways) {
        SCOPED_TRACE(way);
        window->showMatchDay(18);
        // Annuler: the typed score and the match day stay.
        typeAScore();
        prompt.choice = Prompt::Choice::Cancel;
        open();
        EXPECT_TRUE(asked());
        EXPECT_EQ(session->state().displayedMatchDay(), 18);
        EXPECT_EQ(box("R1", 0)->text(), QStringLiteral("4"));
        EXPECT_TRUE(window->hasUnsavedEntries());
        EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("|||||||"));

        // Non: the view changes and nothing is written.
        prompt.questions.clear();
        prompt.choice = Prompt::Choice::No;
        open();
        EXPECT_TRUE(asked());
        EXPECT_FALSE(window->hasUnsavedEntries());
        EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("|||||||"));
    }

    // Oui: saved first, then the team's season opens on its own row.
    window->showMatchDay(18);
    typeAScore();
    typeInto("R2", 0, QStringLiteral("0"));
    prompt.choice = Prompt::Choice::Yes;
    const QString team = session->standings().displayed().rows[3].data.name;
    QTest::mouseClick(widget<QLabel>(QStringLiteral("Tclass"), 3), Qt::LeftButton);
    EXPECT_TRUE(asked());
    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||4|0|||I"));
    EXPECT_FALSE(window->hasUnsavedEntries());
    EXPECT_EQ(session->state().displayedMatchDay(), 0);
    EXPECT_TRUE(text(QStringLiteral("Label1")).contains(team)) << text(QStringLiteral("Label1")).toStdString();

    // Nothing typed: nothing asked.
    prompt.questions.clear();
    pickMatchDay();
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_EQ(session->state().displayedMatchDay(), 5);
}

TEST_F(MatchDayWindow, TabAndEnterTypeAWholeMatchDay)
{
    keepResultsUpTo(17);
    start();
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
    EXPECT_FALSE(window->hasUnsavedEntries());

    // Enter with nothing typed saves nothing (the stamp stays as it was).
    ASSERT_TRUE(session->store().saveResults(QStringLiteral("01 déc. 10:00"), {}));
    box("R1", 2)->setFocus();
    QTest::keyClick(box("R1", 2), Qt::Key_Return);
    EXPECT_EQ(session->store().stamp(), QStringLiteral("01 déc. 10:00"));
}

TEST_F(MatchDayWindow, ASaveThatCannotBeWrittenIsReportedAndKeepsTheGrid)
{
    keepResultsUpTo(17);
    padStore();
    start();
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

TEST_F(MatchDayWindow, SimulatedMatchDayIsSavedCountedShownThenUnplayedAgain)
{
    keepResultsUpTo(37);
    start();
    // Pontemaure (J) at home to Dravillac FC (I) on match day 38, 17 May 2014.
    const QString pontemaure = QStringLiteral("Pontemaure");
    const int pointsBefore = int(standingOf(pontemaure).points);
    ASSERT_EQ(standingOf(pontemaure).played, 37);

    // Opened from the month calendar: May, third line.
    QTest::mouseMove(widget<QLabel>(QStringLiteral("LabMois"), 9));
    ASSERT_EQ(text(QStringLiteral("Label2"), 2), QStringLiteral("Journée 38 : 17 mai"));
    QTest::mouseClick(widget<QLabel>(QStringLiteral("Label2"), 2), Qt::LeftButton);
    EXPECT_EQ(session->state().displayedMatchDay(), 38);
    EXPECT_TRUE(text(QStringLiteral("Label1")).startsWith(QStringLiteral("Journée N°38: Samedi 17 Mai.  Dans ")));
    EXPECT_EQ(textColour(QStringLiteral("Label1")), Coming);
    ASSERT_EQ(box("T1", 0)->text(), pontemaure);

    typeInto("R1", 0, QStringLiteral("3"));
    typeInto("R2", 0, QStringLiteral("1"));
    QTest::keyClick(box("R2", 0), Qt::Key_Return);
    EXPECT_EQ(stored(QStringLiteral("3800")), QStringLiteral("J|||3|1|||I"));
    EXPECT_EQ(standingOf(pontemaure).played, 38);
    EXPECT_EQ(int(standingOf(pontemaure).points), pointsBefore + 3);
    window->showMatchDay(38);
    EXPECT_EQ(box("R1", 0)->text(), QStringLiteral("3"));
    EXPECT_EQ(box("R2", 0)->text(), QStringLiteral("1"));

    // "-" in both boxes: the match is not played any more.
    box("R1", 0)->selectAll();
    typeInto("R1", 0, QStringLiteral("-"));
    box("R2", 0)->selectAll();
    typeInto("R2", 0, QStringLiteral("-"));
    QTest::keyClick(box("R2", 0), Qt::Key_Return);
    EXPECT_EQ(stored(QStringLiteral("3800")), QStringLiteral("J|||-|-|||I"));
    EXPECT_EQ(standingOf(pontemaure).played, 37);
    EXPECT_EQ(int(standingOf(pontemaure).points), pointsBefore);
    window->showMatchDay(38);
    EXPECT_TRUE(box("R1", 0)->text().isEmpty());
    EXPECT_TRUE(box("R2", 0)->text().isEmpty());
}

TEST_F(MatchDayWindow, CalendarLocksOnAMonthUnlocksOnALineAndOpensTheMatchDay)
{
    clock.set(QDateTime(QDate(2013, 12, 7), QTime(15, 0))); // match day 18 is today
    start();
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

    // A click on a line opens its match day and releases the second-team lock.
    auto *secondTeamLock = widget<QCheckBox>(QStringLiteral("Check2"));
    secondTeamLock->setChecked(true);
    QTest::mouseClick(widget<QLabel>(QStringLiteral("Label2"), 3), Qt::LeftButton);
    EXPECT_EQ(session->state().displayedMatchDay(), 12);
    EXPECT_TRUE(text(QStringLiteral("Label1")).startsWith(QStringLiteral("Journée N°12: Samedi 26 Octobre.")));
    EXPECT_FALSE(secondTeamLock->isChecked());

    // The pointer back on the window background: no month stays teal.
    window->resetMonthHover();
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(month(k)->palette().color(QPalette::Window), Navy) << k;
}

TEST_F(MatchDayWindow, ATeamsSeasonIsListedAndCanBeTypedInto)
{
    keepResultsUpTo(17);
    clock.set(QDateTime(QDate(2013, 12, 16), QTime(12, 0)));
    start();
    window->showTeamSeason(Corvenne);
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
    click(Command::Save);
    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||1|1|||I"));
    EXPECT_EQ(standingOf(Corvenne).played, 18);

    // An unknown team leaves the grid as it was.
    window->showTeamSeason(QStringLiteral("Personne"));
    EXPECT_EQ(box("R1", 17)->text(), QStringLiteral("1"));
}
