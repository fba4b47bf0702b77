// What the window tells after an update, the review before sending, and the
// calendar from the team card.
#include "matchdaytestsupport.h"
#include "testhttpserver.h"

#include "matchday/ui/infocell.h"
#include "online/core/storechanges.h"
#include "season/core/textutil.h"
#include "shell/ui/exportscontroller.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace {

const QString StorePath = QStringLiteral("/Kestrane2013/Resultats2013.ini");

class SharingWindow : public MatchDayWindow
{
protected:
    void SetUp() override
    {
        MatchDayWindow::SetUp();
        useServer(server.address());
    }
    bool busy() const { return QApplication::overrideCursor() != nullptr; }
    void update()
    {
        clock.set(clock.now().addSecs(61));
        click(Command::Update);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !busy(); }, 10000));
    }
    QLabel *changes() const { return widget<QLabel>(QStringLiteral("LabChangements")); }
    QString note(int row) const
    {
        auto *info = widget<InfoCell>(QStringLiteral("InfoM"), row);
        return info ? info->note() : QStringLiteral("<no InfoM>");
    }

    TestHttpServer server;
};

} // namespace

TEST_F(SharingWindow, AnUpdateSaysWhatChangedAndMarksTheFixturesUntilTheNextOne)
{
    // The published store corrects the score of the first match of match day
    // 18 (on show) and the cards of the second.
    QByteArray fresh = sample(QStringLiteral("Resultats2013.ini"));
    fresh.replace("Maj=17 mai 22:47", "Maj=18 mai 09:00");
    fresh.replace("1800=H|0|5|1|1|2|0|I", "1800=H|0|5|2|1|2|0|I");
    fresh.replace("1801=B|0|4|2|0|3|0|O", "1801=B|1|4|2|0|3|0|O");
    server.answer(StorePath, 200, fresh);
    start();
    EXPECT_FALSE(changes()->isVisible());
    const QString infoBefore = widget<QLabel>(QStringLiteral("InfoM"), 0)->text();

    update();
    EXPECT_TRUE(changes()->isVisible());
    EXPECT_EQ(changes()->text(), QStringLiteral("1 score corrigé, cartons corrigés sur 1 match ; Stade Chalbrenne "
                                                "passe 13e, AC Roquevaune passe 14e, Dravillac FC passe 15e"));
    EXPECT_TRUE(changes()->toolTip().startsWith(QStringLiteral("Score corrigé : J18 ")));
    EXPECT_EQ(note(0), QStringLiteral("Score corrigé à la dernière mise à jour (avant : 1-1)"));
    EXPECT_TRUE(note(1).startsWith(QStringLiteral("Cartons corrigés")));
    EXPECT_TRUE(note(2).isEmpty());
    // The mark leaves the row's information and its tool tip tells the note.
    auto *info = widget<QLabel>(QStringLiteral("InfoM"), 0);
    EXPECT_EQ(info->text(), infoBefore);
    EXPECT_EQ(info->toolTip(), infoBefore + QStringLiteral("\nScore corrigé à la dernière mise à jour (avant : 1-1)"));
    EXPECT_EQ(info->accessibleDescription(), note(0));

    // The marks follow the fixture into a team's season.
    const QString home = box("T1", 0)->text();
    window->matchDay().showTeamSeason(home);
    int marked = 0;
    for (int k = 0; k < 38; ++k)
        marked += note(k).isEmpty() ? 0 : 1;
    EXPECT_EQ(marked, 1);

    // A failed update keeps them; the next successful one replaces them.
    server.answer(StorePath, 404, "absent");
    update();
    window->matchDay().showMatchDay(18);
    EXPECT_FALSE(note(0).isEmpty());
    EXPECT_TRUE(changes()->isVisible());

    fresh.replace("Maj=18 mai 09:00", "Maj=18 mai 10:00");
    server.answer(StorePath, 200, fresh);
    update();
    EXPECT_FALSE(changes()->isVisible());
    EXPECT_TRUE(changes()->text().isEmpty());
    EXPECT_TRUE(note(0).isEmpty());
    EXPECT_TRUE(note(1).isEmpty());
}

TEST_F(SharingWindow, NewResultsFromTheServerAreCountedAndMarked)
{
    keepResultsUpTo(17);
    server.answer(StorePath, 200, sample(QStringLiteral("Resultats2013.ini")));
    start();
    update();
    // Match days 18 to 38: 21 match days of ten results.
    EXPECT_TRUE(changes()->text().startsWith(QStringLiteral("210 nouveaux résultats ; ")))
        << changes()->text().toStdString();
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(note(k), QStringLiteral("Nouveau résultat à la dernière mise à jour")) << k;
}

TEST_F(SharingWindow, SendShowsWhatThePublishedFileChangesAndNonSendsNothing)
{
    keepResultsUpTo(17);
    const QString tool = addSendingTool();
    start();
    ResultStore &store = session->store();

    // Match night: a result typed for match day 18 and saved...
    const QString home = box("T1", 0)->text();
    const QString away = box("T2", 0)->text();
    typeInto("R1", 0, QStringLiteral("2"));
    typeInto("R2", 0, QStringLiteral("1"));
    click(Command::Save);
    // ...a score of match day 17 corrected...
    const MatchRecord was = store.match(QStringLiteral("1701"));
    MatchRecord corrected = was;
    corrected[MatchRecord::HomeGoals] = QString::number(::text::leadingInt(was[MatchRecord::HomeGoals]) + 1);
    ASSERT_TRUE(store.saveResults(store.stamp(), {{QStringLiteral("1701"), corrected}}));
    const QString codes = session->season().fixtureCodes(17).at(1);

    // ...then the export panel: an adjustment for Étréville AC and the news.
    QTest::mouseClick(widget<QLabel>(QStringLiteral("Label8")), Qt::LeftButton);
    click(Command::OpenSending);
    widget<QComboBox>(QStringLiteral("Combo1"))->setCurrentIndex(2);
    QTest::keyClicks(widget<QLineEdit>(QStringLiteral("Text3"), 1), QStringLiteral("-2"));
    click(Command::InsertAdjustment);
    auto *news = widget<QLineEdit>(QStringLiteral("Text1"));
    news->clear();
    typeText(news, QStringLiteral("Journée reportée à samedi"));

    const QByteArray beforeSend = folder.read(QStringLiteral("Resultats2013.ini"));
    prompt.answer = false;
    click(Command::Send);
    ASSERT_EQ(prompt.questions.size(), 1);
    const QString review = prompt.questions[0];
    EXPECT_TRUE(review.startsWith(QStringLiteral("Envoyer\nLe fichier envoyé différera de celui du démarrage")));
    EXPECT_TRUE(review.contains(QStringLiteral("Résultats ajoutés (1) :\n  J18 %1 2-1 %2\n").arg(home, away)))
        << review.toStdString();
    EXPECT_TRUE(review.contains(QStringLiteral("Résultats modifiés (1) :\n  J17 %1 - %2 : %3 → %4\n")
                                    .arg(session->season().teamNameOfLetter(codes.at(0)),
                                         session->season().teamNameOfLetter(codes.at(1)), storechanges::scoreText(was),
                                         storechanges::scoreText(corrected))))
        << review.toStdString();
    EXPECT_TRUE(review.contains(QStringLiteral("Bonus - Malus (1) :\n  Étréville AC : aucun → -2\n")))
        << review.toStdString();
    EXPECT_TRUE(review.contains(QStringLiteral(
        "Nouvelle : « Fin de saison : merci à tous les bénévoles ! » → « Journee reportee a samedi »\n")))
        << review.toStdString();
    EXPECT_FALSE(review.contains(QStringLiteral("Version publiée")));
    EXPECT_TRUE(review.endsWith(QStringLiteral("Date de mise à jour publiée : 05 déc. 20:00\n\nEnvoyer ce fichier ?")))
        << review.toStdString();

    // Non: nothing written, nothing started, the panel stays for another try.
    EXPECT_TRUE(launcher.programs.empty());
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), beforeSend);
    EXPECT_TRUE(widget(QStringLiteral("Frame6"))->isVisible());
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Oui: the store is written and the tool started.
    prompt.answer = true;
    click(Command::Send);
    ASSERT_EQ(launcher.programs.size(), 1u);
    EXPECT_EQ(launcher.programs[0].first, tool);
    EXPECT_EQ(store.newsText(), QStringLiteral("Journee reportee a samedi"));
}

TEST_F(SharingWindow, TheTeamCardSavesItsTeamsCalendar)
{
    start();
    QString suggested;
    const QString path = folder.file(QStringLiteral("agenda.ics"));
    window->exports().setFileChooser([&](const QString &offered) {
        suggested = offered;
        return path;
    });
    click(Command::OpenTeamCard);
    auto *teams = widget<QListWidget>(QStringLiteral("List9"));
    teams->setCurrentRow(3);
    const QString team = teams->currentItem()->text();
    auto *agenda = widget<QPushButton>(QStringLiteral("BtAgenda"));
    ASSERT_NE(agenda, nullptr);
    ASSERT_TRUE(agenda->isVisible());
    EXPECT_FALSE(agenda->accessibleDescription().isEmpty());
    QTest::mouseClick(agenda, Qt::LeftButton);

    EXPECT_TRUE(suggested.endsWith(QStringLiteral(".ics")));
    const QByteArray ics = folder.read(QStringLiteral("agenda.ics"));
    EXPECT_TRUE(ics.startsWith("BEGIN:VCALENDAR"));
    EXPECT_EQ(ics.count("BEGIN:VEVENT"), 38);
    EXPECT_TRUE(QString::fromUtf8(ics).contains(team)) << team.toStdString();
    EXPECT_TRUE(prompt.messages.isEmpty());
}
