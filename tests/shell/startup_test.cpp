#include "windowfixture.h"

#include "specialfiles.h"

#include "shared/ui/windowareas.h"
#include "standings/ui/standingstable.h"

#include <QCheckBox>
#include <QDir>
#include <QScrollArea>
#include <QSignalSpy>

#include <algorithm>
#include <functional>

namespace {

// One start of the program, with spies on what start-up asks of the network.
class Startup : public WindowFixture
{
protected:
    // `room`: the free area of a screen the window may not fit in.
    MainWindow &start(bool expectRunning = true, const QRect &room = {})
    {
        // The spies must exist before start-up runs, so the window is built here.
        window.reset();
        session = std::make_unique<Session>(folder.path(), clock, *settings);
        pictures = std::make_unique<Pictures>(folder.path());
        window = std::make_unique<MainWindow>(*session,
                                              WindowServices{prompt, *pictures, launcher, printTarget, downloader});
        updates = std::make_unique<QSignalSpy>(window.get(), &MainWindow::resultsUpdateRequested);
        donors = std::make_unique<QSignalSpy>(window.get(), &MainWindow::donorsFetchRequested);
        window->fitScreen(room);
        EXPECT_EQ(window->startUp(), expectRunning);
        return *window;
    }

    void setAge(const QString &, const QDateTime &modified) { setStoreAge(modified); }

    std::unique_ptr<QSignalSpy> updates;
    std::unique_ptr<QSignalSpy> donors;
};

} // namespace

TEST_F(Startup, ShowsTheWindowWithItsCaptionRowsAndStandings)
{
    setAge(storePath(), clock.now().addDays(-1));
    MainWindow &w = start();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Championnat de  Kestrane 1 (2013 - 2014)"));
    EXPECT_EQ(window->findChildren<QWidget *>(QStringLiteral("T1")).size(), 38);
    EXPECT_EQ(window->findChildren<QWidget *>(QStringLiteral("Nm")).size(), 38);
    EXPECT_EQ(window->findChildren<QWidget *>(QStringLiteral("TPTS")).size(), 20);
    // Every command has its one button, wherever its panel puts it.
    QList<int> indexes;
    for (QWidget *button : window->findChildren<QWidget *>(QStringLiteral("BtN")))
        indexes << button->property("index").toInt();
    std::sort(indexes.begin(), indexes.end());
    ASSERT_EQ(indexes.size(), 39);
    for (int i = 0; i < 39; ++i)
        EXPECT_EQ(indexes[i], i);
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_TRUE(prompt.messages.isEmpty());

    // The standings of the whole season are on display, leader first.
    const QList<QLabel *> names = indexed<QLabel>(QStringLiteral("Tclass"));
    ASSERT_EQ(names.size(), 20);
    EXPECT_EQ(names[0]->text(), session->standings().displayed().rows[0].data.name);
    EXPECT_FALSE(names[0]->text().isEmpty());
    EXPECT_EQ(session->state().dueMatchDays(), 17); // 17 Saturdays from 10 August to 30 November

    // News from the store replaces the home/away captions.
    EXPECT_TRUE(window->findChild<QWidget *>(QStringLiteral("Frame5"))->isVisible());
    EXPECT_FALSE(indexed<QLabel>(QStringLiteral("Label27"))[0]->isVisible());
}

TEST_F(Startup, OnAScreenSmallerThanTheWindowItScrollsInAFrame)
{
    // A big enough screen: the window stands on its own.
    MainWindow &w = start(true, QRect(0, 0, 1400, 1000));
    EXPECT_EQ(w.window(), &w);
    // Twice the scale on a 1400 x 1000 screen: a frame of that room, the
    // layout unchanged, the buttons under the table reached by scrolling.
    const QRect room(0, 0, 700, 500);
    auto *frame = qobject_cast<QScrollArea *>(start(true, room).window());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible() && room.contains(frame->geometry()));
    EXPECT_EQ(frame->windowTitle(), window->windowTitle());
    EXPECT_EQ(window->size(), windowareas::Window);
    QWidget *far = widget(QStringLiteral("BtExport"));
    frame->ensureWidgetVisible(far);
    EXPECT_TRUE(frame->viewport()->rect().contains(QRect(far->mapTo(frame->viewport(), QPoint()), far->size())));
    // "Quitter" closes the frame, the program's window.
    click(Command::Quit);
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(Startup, MonthLabelsTakeFrenchCaptionsAndColoursFromTheClock)
{
    setAge(storePath(), clock.now().addDays(-1));
    start();
    const QList<QLabel *> months = indexed<QLabel>(QStringLiteral("LabMois"));
    ASSERT_EQ(months.size(), 10);
    EXPECT_EQ(months[0]->text(), QStringLiteral("Août 2013"));
    EXPECT_EQ(months[4]->text(), QStringLiteral("Décembre 2013"));
    EXPECT_EQ(months[9]->text(), QStringLiteral("Mai 2014"));
    // Each caption stands whole inside its box, clear of its edges, the longest too.
    EXPECT_EQ(months[1]->text(), QStringLiteral("Septembre 2013"));
    for (QLabel *month : months) {
        EXPECT_LE(QFontMetrics(month->font(), month).horizontalAdvance(month->text()), month->width() - 4)
            << month->text().toStdString();
    }
    const QColor green(0x00, 0xC0, 0x00), yellow(0xFF, 0xFF, 0x00);
    EXPECT_EQ(months[3]->palette().color(QPalette::WindowText), green);
    EXPECT_EQ(months[4]->palette().color(QPalette::WindowText), yellow);
    EXPECT_EQ(months[9]->palette().color(QPalette::WindowText), yellow);
}

TEST_F(Startup, StaleDataOfferAfterMoreThanTenDays)
{
    setAge(storePath(), clock.now().addDays(-10));
    start();
    EXPECT_TRUE(prompt.questions.isEmpty());

    setAge(storePath(), clock.now().addDays(-11));
    prompt.answer = true;
    start();
    ASSERT_EQ(prompt.questions.size(), 1);
    EXPECT_TRUE(prompt.questions[0].startsWith(QStringLiteral("Mise à jour\nLes données enregistrées")));
    EXPECT_EQ(updates->count(), 1);
}

TEST_F(Startup, NoOfferOnceTheSeasonIsOver)
{
    clock.set(QDateTime(QDate(2014, 5, 18), QTime(10, 0)));
    setAge(storePath(), clock.now().addDays(-60));
    start();
    EXPECT_TRUE(prompt.questions.isEmpty());
}

TEST_F(Startup, MissingStoreIsOfferedAndShowsAnEmptySeason)
{
    QFile::remove(storePath());
    prompt.answer = false;
    start();
    EXPECT_EQ(prompt.questions.size(), 1);
    EXPECT_EQ(updates->count(), 0);
    EXPECT_EQ(indexed<QLabel>(QStringLiteral("TPTS"))[0]->text(), QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(storePath())); // reading never creates the store
}

TEST_F(Startup, BackupOfAnInterruptedUpdateIsPutBack)
{
    const QString backup = folder.file(QStringLiteral("Resultats2013.BU"));
    ASSERT_TRUE(QFile::rename(storePath(), backup));
    start();
    EXPECT_TRUE(QFile::exists(storePath()));
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_NE(indexed<QLabel>(QStringLiteral("TPTS"))[0]->text(), QStringLiteral("0"));
}

TEST_F(Startup, ASeasonFileMissingOrUnusableStopsWithItsReason)
{
    const QString season = folder.file(QStringLiteral("2013.txt"));
    const std::pair<std::function<void()>, QString> rows[] = {
        {[&] { QFile::remove(season); }, QStringLiteral("Absence du fichier 2013.txt")},
        {[&] { folder.write(QStringLiteral("2013.txt"), "JOU|1|10/08/2013\r\nCAL|1|AB\r\n"); },
         QStringLiteral("2013.txt ne contient aucune équipe")},
        {[&] {
             QFile::remove(season);
             specialfiles::makeFifo(season);
         },
         QStringLiteral("Impossible de lire 2013.txt : ce n'est pas un fichier ordinaire.")},
    };
    for (const auto &[make, message] : rows) {
        make();
        prompt.messages.clear();
        MainWindow &w = start(false);
        EXPECT_FALSE(w.isVisible());
        ASSERT_EQ(prompt.messages.size(), 1);
        EXPECT_EQ(prompt.messages[0], QStringLiteral("Kestrane 1\n") + message);
        EXPECT_EQ(w.splash(), nullptr);
    }
}

TEST_F(Startup, PreferencesAreRestoredAndWrittenBackAtShutdown)
{
    setAge(storePath(), clock.now().addDays(-1));
    settings->write(QStringLiteral("Data"), QStringLiteral("C5"), QStringLiteral("1"));
    settings->write(QStringLiteral("Data"), QStringLiteral("C6"), QStringLiteral("oui")); // not a number: left as is
    const QString favourite = Season::load(folder.file(QStringLiteral("2013.txt")))->teamName(3);
    settings->write(QStringLiteral("data"), QStringLiteral("ep"), favourite);
    start();
    EXPECT_TRUE(window->findChild<QCheckBox *>(QStringLiteral("Check5"))->isChecked());
    EXPECT_FALSE(window->findChild<QCheckBox *>(QStringLiteral("Check6"))->isChecked());
    EXPECT_EQ(session->state().favouriteTeam(), favourite);

    window->findChild<QCheckBox *>(QStringLiteral("Check4"))->setChecked(true);
    window->close();
    EXPECT_EQ(settings->read(QStringLiteral("Data"), QStringLiteral("C4")), QStringLiteral("1"));
    EXPECT_EQ(settings->read(QStringLiteral("Data"), QStringLiteral("C5")), QStringLiteral("1"));
    EXPECT_EQ(settings->read(QStringLiteral("Data"), QStringLiteral("C6")), QStringLiteral("0"));
}

TEST_F(Startup, FavouriteIgnoredWhenHighlightingIsOff)
{
    settings->write(QStringLiteral("Data"), QStringLiteral("C5"), QStringLiteral("0"));
    settings->write(QStringLiteral("Data"), QStringLiteral("EP"), QStringLiteral("FC Valmoret"));
    start();
    EXPECT_TRUE(session->state().favouriteTeam().isEmpty());
}

TEST_F(Startup, AutomaticUpdateRunsInsteadOfThePlainComputation)
{
    setAge(storePath(), clock.now().addDays(-1));
    settings->write(QStringLiteral("Data"), QStringLiteral("C4"), QStringLiteral("1"));
    start();
    EXPECT_EQ(updates->count(), 1);
}

TEST_F(Startup, FridayDonorsRefreshOnlyOnceADay)
{
    setAge(storePath(), clock.now().addDays(-1));
    clock.set(QDateTime(QDate(2013, 12, 6), QTime(9, 0))); // Friday
    start();
    EXPECT_EQ(donors->count(), 1);
    EXPECT_NE(settings->read(QStringLiteral("data"), QStringLiteral("Vset"), QStringLiteral("-")), QStringLiteral("-"));

    clock.set(QDateTime(QDate(2013, 12, 6), QTime(11, 0)));
    start();
    EXPECT_EQ(donors->count(), 0);
}

TEST_F(Startup, TeamCrestsAreDrawnUnlessAnImageFileIsSupplied)
{
    QDir(folder.path()).mkdir(QStringLiteral("blasons"));
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(folder.file(QStringLiteral("blasons/A.png"))));
    // FIFOs named like the logo and a crest: opening one would hold the
    // start-up for ever; the drawn pictures take their place.
    const specialfiles::WatchedFifo logo(folder.file(QStringLiteral("logo.png")));
    const specialfiles::WatchedFifo crest(folder.file(QStringLiteral("blasons/B.png")));
    ASSERT_TRUE(logo.made() && crest.made());
    start();
    EXPECT_EQ(logo.readers(), 0) << "the logo's FIFO was opened";
    EXPECT_EQ(crest.readers(), 0) << "a crest's FIFO was opened";
    EXPECT_FALSE(pictures->logo().isNull());
    EXPECT_EQ(pictures->crest(1).toImage(), Pictures::drawCrest(session->season().teamName(1)).toImage());
    const QImage first = pictures->crest(0).toImage();
    EXPECT_EQ(first.pixelColor(first.width() / 2, first.height() / 2), QColor(Qt::red));
    // Drawn crests differ from team to team.
    EXPECT_NE(pictures->crest(1).toImage(), pictures->crest(2).toImage());
    EXPECT_FALSE(pictures->crest(19).isNull());
    for (Pictures::Movement m : {Pictures::Up, Pictures::Down, Pictures::Same})
        EXPECT_FALSE(pictures->movement(m).isNull());
}
