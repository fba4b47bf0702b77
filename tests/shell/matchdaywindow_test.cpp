#include "contrast.h"
#include "matchdaytestsupport.h"

#include "online/core/stamp.h"
#include "online/core/storemerge.h"
#include "online/core/updaterules.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/newsline.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSignalSpy>

#include <functional>

namespace {
const QColor Navy(0x00, 0x00, 0x80), Teal(0x00, 0x80, 0x80);
const QColor Coming(0x00, 0x00, 0xC0), Past(0x00, 0x80, 0x00), Today(0xC0, 0x00, 0x00);
// Match day 18 of the bundled season, Saturday 7 December 2013: SC Corvenne
// (H) at home to Dravillac FC (I), then AS Saint-Aubrac (B) to Union Quézenay (O).
const QString Corvenne = QStringLiteral("SC Corvenne");
} // namespace

TEST_F(MatchDayWindow, TypedResultsAskBeforeAnotherViewReplacesThem)
{
    keepResultsUpTo(17);
    start();
    const auto typeAScore = [this] {
        typeInto("R1", 0, QStringLiteral("4"));
        ASSERT_TRUE(session->state().unsavedEntries());
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
    // A favourite team chosen redraws the grid with its mark.
    const auto pickFavourite = [this] {
        if (!widget<QWidget>(QStringLiteral("List6"))->isVisible())
            click(Command::Configuration);
        auto *list = widget<QListWidget>(QStringLiteral("List6"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    };
    const std::array<std::pair<const char *, std::function<void()>>, 6> ways = {{{"picker", pickMatchDay},
                                                                                 {"team", pickTeam},
                                                                                 {"calendar", pickCalendarLine},
                                                                                 {"full table", fullTable},
                                                                                 {"export panel", exportPanelClosed},
                                                                                 {"favourite", pickFavourite}}};

    for (const auto &[way, open] : ways) {
        SCOPED_TRACE(way);
        window->matchDay().showMatchDay(18);
        // Annuler: the typed score and the match day stay.
        typeAScore();
        prompt.choice = Prompt::Choice::Cancel;
        open();
        EXPECT_TRUE(asked());
        EXPECT_EQ(session->state().displayedMatchDay(), 18);
        EXPECT_EQ(box("R1", 0)->text(), QStringLiteral("4"));
        EXPECT_TRUE(session->state().unsavedEntries());
        EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("|||||||"));

        // Non: the view changes and nothing is written.
        prompt.questions.clear();
        prompt.choice = Prompt::Choice::No;
        open();
        EXPECT_TRUE(asked());
        EXPECT_FALSE(session->state().unsavedEntries());
        EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("|||||||"));
    }

    // Oui: saved first, then the team's season opens on its own row.
    window->matchDay().showMatchDay(18);
    typeAScore();
    typeInto("R2", 0, QStringLiteral("0"));
    prompt.choice = Prompt::Choice::Yes;
    const QString team = session->standings().displayed().rows[3].data.name;
    QTest::mouseClick(widget<QLabel>(QStringLiteral("Tclass"), 3), Qt::LeftButton);
    EXPECT_TRUE(asked());
    EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||4|0|||I"));
    EXPECT_FALSE(session->state().unsavedEntries());
    EXPECT_EQ(session->state().displayedMatchDay(), 0);
    EXPECT_TRUE(text(QStringLiteral("Label1")).contains(team)) << text(QStringLiteral("Label1")).toStdString();

    // Nothing typed: nothing asked.
    prompt.questions.clear();
    pickMatchDay();
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_EQ(session->state().displayedMatchDay(), 5);

    // "Quitter" and closing the window ask as well (on the second row): Annuler
    // keeps the window and the scores, Non closes without them, Oui saves first.
    using C = Prompt::Choice;
    for (const auto &[quit, choice, open, kept] :
         {std::tuple{true, C::Cancel, true, "|||||||"}, std::tuple{true, C::No, false, "|||||||"},
          std::tuple{false, C::Cancel, true, "|||||||"}, std::tuple{false, C::No, false, "|||||||"},
          std::tuple{true, C::Yes, false, "B|||4|0|||O"}}) {
        window->show();
        window->matchDay().showMatchDay(18);
        typeInto("R1", 1, QStringLiteral("4"));
        typeInto("R2", 1, QStringLiteral("0"));
        prompt.questions.clear();
        prompt.choice = choice;
        quit ? click(Command::Quit) : void(window->close());
        EXPECT_TRUE(asked()) << quit << int(choice);
        EXPECT_EQ(window->isVisible(), open) << quit << int(choice);
        EXPECT_EQ(stored(QStringLiteral("1801")), QLatin1String(kept));
    }
}

// Another program writes the store while the window is open: an editor
// rewriting the file in place, a second window saving, the sending tool
// merging the other volunteers' results in. The window shows the change with
// no click; typed results waiting stay as typed, the news line says why.
TEST_F(MatchDayWindow, StoreWrittenElsewhereIsShownWhileTypedResultsWait)
{
    keepResultsUpTo(17);
    const QByteArray base = folder.read(QStringLiteral("Resultats2013.ini"));
    start();
    using Writer = std::function<void(const QString &key, const QString &record)>;
    const QString file = QStringLiteral("Resultats2013.ini");
    const auto withResult = [&](const QByteArray &bytes, const QString &key, const QString &record) {
        return IniFile::writeTo(bytes, ResultStore::ResultsSection, key, record);
    };
    const std::array<std::pair<const char *, Writer>, 3> writers = {{
        {"rewritten in place",
         [&](const QString &key, const QString &record) {
             folder.write(file, withResult(folder.read(file), key, record));
         }},
        {"second window",
         [&](const QString &key, const QString &record) {
             ResultStore other(folder.path());
             ASSERT_TRUE(other.saveResults(QStringLiteral("07/12 23:00"), {{key, MatchRecord::fromText(record)}}));
         }},
        {"sending tool's merge",
         [&](const QString &key, const QString &record) {
             ResultStore other(folder.path());
             const auto merged = [&](const std::optional<QByteArray> &current) -> std::optional<QByteArray> {
                 return storemerge::merge(*current, *current, withResult(*current, key, record)).bytes;
             };
             ASSERT_EQ(other.replaceContentsWith(merged, [] {}), ResultStore::Replaced::Done);
         }},
    }};
    auto *news = window->findChild<NewsLine *>();
    ASSERT_TRUE(news);
    const int playedBefore = standingOf(Corvenne).played;
    const auto difference = [this] { return standingOf(Corvenne).goalsFor - standingOf(Corvenne).goalsAgainst; };
    const int differenceBefore = difference();
    for (const auto &[how, write] : writers) {
        SCOPED_TRACE(how);
        folder.write(file, base);
        ASSERT_TRUE(QTest::qWaitFor([&] { return standingOf(Corvenne).played == playedBefore; }, 5000));
        window->matchDay().showMatchDay(18);

        // Nothing typed: the table and the grid follow.
        write(QStringLiteral("1800"), QStringLiteral("H|||4|0|||I"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return standingOf(Corvenne).played == playedBefore + 1; }, 5000));
        EXPECT_EQ(difference(), differenceBefore + 4);
        EXPECT_EQ(box("R1", 0)->text(), QStringLiteral("4"));

        // A score typed on the next row waits: the grid stays as it is, the
        // first row's old score included, while the table follows the store.
        typeInto("R1", 1, QStringLiteral("2"));
        typeInto("R2", 1, QStringLiteral("2"));
        write(QStringLiteral("1800"), QStringLiteral("H|||1|0|||I"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return news->text() == updaterules::ChangedWhileTyping; }, 5000));
        EXPECT_EQ(difference(), differenceBefore + 1);
        EXPECT_EQ(box("R1", 1)->text(), QStringLiteral("2"));
        EXPECT_EQ(box("R1", 0)->text(), QStringLiteral("4"));
        EXPECT_TRUE(session->state().unsavedEntries());

        // "Valider" saves what was typed and only that: the first row, left
        // as drawn, does not put its old score back over the other program's
        // (saving the whole grid, as before, lost that result). Our own write
        // comes back from the watch without a second refresh.
        QSignalSpy refreshed(session.get(), &Session::resultsRefreshed);
        click(Command::Save);
        EXPECT_EQ(stored(QStringLiteral("1801")), QStringLiteral("B|||2|2|||O"));
        EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||1|0|||I"));
        EXPECT_EQ(news->text(), session->store().newsText());
        QTest::qWait(ResultStore::SettleMs * 3);
        EXPECT_EQ(refreshed.count(), 1);
    }
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
    window->matchDay().showMatchDay(38);
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
    window->matchDay().showMatchDay(38);
    EXPECT_TRUE(box("R1", 0)->text().isEmpty());
    EXPECT_TRUE(box("R2", 0)->text().isEmpty());
}
