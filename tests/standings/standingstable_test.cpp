#include "standings/ui/standingstable.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace {

const QStringList AllColumns = {"LabClass", "ImEvol", "Tclass", "TPTS", "TDelta", "TBP", "TBC", "MJ",   "FP",   "TBPD",
                                "TBPE",     "TBCD",   "TBCE",   "TPD",  "TPE",    "TMD", "TME", "TMpD", "TMpE", "TMN"};

const QStringList TeamNames = {"Port-Aven", "Valcourt", "Saint-Ivre", "Ormaie",  "Lunel-Bas", "Brézolles",  "Castelmur",
                               "Aubrac FC", "Nérac",    "Quimperlé",  "Sorgues", "Tréguier",  "Vernay",     "Ambert",
                               "Figeac",    "Gaillac",  "Hennebont",  "Issoire", "Jarnac",    "Kaysersberg"};

// A hand-made table: every number depends on the rank, so a row painted in
// the wrong place or a field in the wrong column shows.
DisplayedStandings sampleStandings()
{
    DisplayedStandings standings;
    for (int i = 0; i < TeamCount; ++i) {
        DisplayedRow &row = standings.rows[i];
        StandingRow &data = row.data;
        data.team = i;
        data.name = TeamNames[i];
        data.points = 70 - 3 * i;
        data.goalsFor = 60 - i;
        data.goalsAgainst = 20 + i;
        data.goalDifference = data.goalsFor - data.goalsAgainst;
        data.fairPlayPoints = 30 + i;
        data.played = 38;
        // Within a row the home/away columns all differ: 7 apart.
        data.homeGoalsFor = i;
        data.awayGoalsFor = 7 + i;
        data.homeGoalsAgainst = 14 + i;
        data.awayGoalsAgainst = 21 + i;
        data.homePoints = 28 + i;
        data.awayPoints = 35 + i;
        data.homeWins = 42 + i;
        data.awayWins = 49 + i;
        data.homeLosses = 56 + i;
        data.awayLosses = 63 + i;
        data.draws = 70 + i;
        row.rankLabel = QString::number(i + 1);
    }
    standings.rows[2].rankLabel = "2";
    standings.rows[19].data.points = -3;
    const auto zone = [&](int i, ZoneMark mark, const QString &tip) {
        standings.rows[i].zone = mark;
        standings.rows[i].zoneToolTip = tip;
    };
    zone(0, ZoneMark::ChampionsLeague, "Qualifié phase de groupe Champions league 2014-15");
    zone(1, ZoneMark::ChampionsLeague, "Qualifié phase de groupe Champions league 2014-15");
    zone(2, ZoneMark::ThirdRound, "Qualifié 3eme tour pour non champions Champions league 2014-14");
    zone(3, ZoneMark::Europa, "Qualifié tour de barrage Kestrane Europa 2014-15");
    for (int i = 17; i < 20; ++i)
        zone(i, ZoneMark::Relegated, "Relégué en Kestrane 2");
    standings.zonesMarked = true;
    standings.totalGoals = 1013;
    standings.playedSides = 740;
    standings.stamp = "12/05/2014 23:41";
    standings.goalsText = "Nombre de buts au total: 1013\r\nMoyenne de buts par match :2,74";
    standings.progress = 740.0 / 760.0;
    standings.progressText = "97% des Matches joués";
    standings.leader = TeamNames[0];
    return standings;
}

QLabel *cellOf(StandingsTable &table, const QString &column, int row)
{
    QList<QLabel *> cells = table.findChildren<QLabel *>(column);
    std::sort(cells.begin(), cells.end(),
              [](QLabel *a, QLabel *b) { return a->property("index").toInt() < b->property("index").toInt(); });
    return cells.value(row);
}

QFrame *frameOf(StandingsTable &table, const QString &name, int index)
{
    for (QFrame *frame : table.findChildren<QFrame *>(name)) {
        if (frame->property("index").toInt() == index)
            return frame;
    }
    return nullptr;
}

QColor background(QLabel *label)
{
    return label->palette().color(QPalette::Window);
}

QColor textColour(QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

QPoint centre(QWidget *widget)
{
    return widget->rect().center();
}

class StandingsTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_table.resize(m_table.sizeHint());
        m_table.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_table));
    }

    QLabel *cell(const QString &column, int row) { return cellOf(m_table, column, row); }

    // Moves the mouse onto a cell from somewhere outside the table first.
    void hover(QWidget *widget)
    {
        QTest::mouseMove(widget, centre(widget));
        QCoreApplication::processEvents();
    }

    StandingsTable m_table;
};

TEST_F(StandingsTableTest, EveryColumnHasTwentyPlainTextCellsIndexedByRow)
{
    for (const QString &column : AllColumns) {
        const QList<QLabel *> cells = m_table.findChildren<QLabel *>(column);
        ASSERT_EQ(cells.size(), 20) << column.toStdString();
        QList<int> indexes;
        for (QLabel *label : cells) {
            indexes.append(label->property("index").toInt());
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
        }
        std::sort(indexes.begin(), indexes.end());
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(indexes[i], i);
    }
    // Rows follow each other 250 twips (about 16 pixels) apart, without drift.
    EXPECT_EQ(cell("Tclass", 19)->y() - cell("Tclass", 0)->y(), 4750 / 15);
    for (int i = 1; i < 20; ++i)
        EXPECT_GE(cell("TPTS", i)->y() - cell("TPTS", i - 1)->y(), 16);
    // Every word of the column headers shows whole in its column ("Contre", "Matches").
    for (QLabel *header : m_table.findChildren<QLabel *>(QStringLiteral("Header"))) {
        EXPECT_FALSE(header->text().contains(QChar(0x2026))) << header->text().toStdString();
        const QFontMetrics metrics(header->font(), header);
        for (const QString &word : header->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            EXPECT_LE(metrics.horizontalAdvance(word), header->contentsRect().width()) << word.toStdString();
    }
    // The table and its league panels fit beside the match-day view.
    EXPECT_LE(m_table.sizeHint().width(), 710);
    EXPECT_LE(m_table.sizeHint().height(), 560);
}

TEST_F(StandingsTableTest, FillsEveryCellFromTheRowsInRankOrder)
{
    DisplayedStandings standings = sampleStandings();
    standings.rows[4].data.name = "<b>Balise</b>";
    m_table.movementIcon(3)->setPixmap(QPixmap(8, 8));
    m_table.movementIcon(3)->setToolTip("+2");
    m_table.showStandings(standings);

    for (int i = 0; i < 20; ++i) {
        const StandingRow &data = standings.rows[i].data;
        EXPECT_EQ(cell("Tclass", i)->text(), data.name);
        EXPECT_EQ(cell("TPTS", i)->text(), data.pointsText());
        EXPECT_EQ(cell("TDelta", i)->text(), QString::number(data.goalDifference));
        EXPECT_EQ(cell("TBP", i)->text(), QString::number(60 - i));
        EXPECT_EQ(cell("TBC", i)->text(), QString::number(20 + i));
        EXPECT_EQ(cell("MJ", i)->text(), "38");
        EXPECT_EQ(cell("FP", i)->text(), QString::number(30 + i));
        const QStringList homeAway = {"TBPD", "TBPE", "TBCD", "TBCE", "TPD", "TPE",
                                      "TMD",  "TME",  "TMpD", "TMpE", "TMN"};
        for (int k = 0; k < homeAway.size(); ++k)
            EXPECT_EQ(cell(homeAway[k], i)->text(), QString::number(7 * k + i)) << homeAway[k].toStdString();
    }
    EXPECT_EQ(cell("TPTS", 19)->text(), "-3");
    EXPECT_EQ(cell("LabClass", 0)->text(), "1");
    EXPECT_EQ(cell("LabClass", 2)->text(), "2");
    EXPECT_EQ(cell("LabClass", 19)->text(), "20");
    // A name that looks like markup is shown as typed.
    EXPECT_EQ(cell("Tclass", 4)->text(), "<b>Balise</b>");
    // The movement marks of the previous display do not survive a new one.
    EXPECT_EQ(m_table.movementIcon(3), cell("ImEvol", 3));
    EXPECT_TRUE(cell("ImEvol", 3)->pixmap().isNull());
    EXPECT_TRUE(cell("ImEvol", 3)->toolTip().isEmpty());
}

TEST_F(StandingsTableTest, ColumnColoursHaveDefaultsAndAreRestoredAfterPainting)
{
    m_table.showStandings(sampleStandings());
    const QList<std::pair<QString, QColor>> defaults = {
        {"Tclass", QColor(0xFFFFFF)}, {"TDelta", QColor(0xFFFFFF)}, {"TBP", QColor(0xC0FFC0)},
        {"TBC", QColor(0xFFE0C0)},    {"FP", QColor(0xFFFFFF)},     {"TMD", QColor(0xC0FFC0)},
        {"TME", QColor(0xC0FFC0)},    {"TMpD", QColor(0xFFE0C0)},   {"TMpE", QColor(0xFFE0C0)},
        {"TMN", QColor(0xE0E0E0)},    {"MJ", QColor(0xFFFFFF)}};
    for (const auto &[column, colour] : defaults)
        EXPECT_EQ(background(cell(column, 10)), colour) << column.toStdString();

    const QStringList sorted = {"TBC", "TME", "TMD", "TMN", "TDelta", "FP", "TBP", "TMpD", "TMpE"};
    m_table.paintColumns(sorted, QColor(0xFFFF00));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(background(cell("TMN", i)), QColor(0xFFFF00));
    m_table.resetColumnColours();
    for (const auto &[column, colour] : defaults) {
        for (int i = 5; i < 17; ++i)
            EXPECT_EQ(background(cell(column, i)), colour) << column.toStdString() << " row " << i;
    }
    // A new ranking also clears a statistic painted by a sort.
    m_table.paintColumns({"TBP"}, QColor(0xFFFF00));
    m_table.showStandings(sampleStandings());
    EXPECT_EQ(background(cell("TBP", 7)), QColor(0xC0FFC0));
}

TEST_F(StandingsTableTest, ZonesArePaintedOnlyWhenMarkedAndFavouriteIsAlwaysYellow)
{
    DisplayedStandings standings = sampleStandings();
    m_table.showStandings(standings);
    const QList<std::pair<int, QColor>> zones = {{0, QColor(0x97DEFF)},  {1, QColor(0x97DEFF)}, {2, QColor(0xCEEBFB)},
                                                 {3, QColor(0xFFF052)},  {4, QColor(0xFFFFFF)}, {16, QColor(0xFFFFFF)},
                                                 {17, QColor(0xFF8080)}, {19, QColor(0xFF8080)}};
    for (const auto &[row, colour] : zones)
        EXPECT_EQ(background(cell("Tclass", row)), colour) << row;
    EXPECT_EQ(cell("Tclass", 2)->toolTip(), "Qualifié 3eme tour pour non champions Champions league 2014-14");
    EXPECT_EQ(cell("Tclass", 18)->toolTip(), "Relégué en Kestrane 2");
    EXPECT_TRUE(cell("Tclass", 10)->toolTip().isEmpty());
    EXPECT_TRUE(cell("Tclass", 0)->font().bold());
    EXPECT_FALSE(cell("Tclass", 1)->font().bold());

    // Before any match is played the same rows carry no marks, even after a
    // table that had them.
    standings.zonesMarked = false;
    standings.rows[2].favourite = true;
    m_table.showStandings(standings);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(background(cell("Tclass", i)), i == 2 ? QColor(0xFFFF00) : QColor(0xFFFFFF)) << i;
        EXPECT_TRUE(cell("Tclass", i)->toolTip().isEmpty()) << i;
    }
    EXPECT_FALSE(cell("Tclass", 0)->font().bold());

    // The favourite's yellow wins over its zone colour, keeping the tool tip.
    standings.zonesMarked = true;
    standings.rows[2].favourite = false;
    standings.rows[18].favourite = true;
    m_table.showStandings(standings);
    EXPECT_EQ(background(cell("Tclass", 18)), QColor(0xFFFF00));
    EXPECT_EQ(cell("Tclass", 18)->toolTip(), "Relégué en Kestrane 2");
    EXPECT_EQ(background(cell("Tclass", 2)), QColor(0xCEEBFB));
}

TEST_F(StandingsTableTest, PlayedAndPointsCellsFollowTheirRules)
{
    DisplayedStandings standings = sampleStandings();
    standings.rows[6].belowAverage = true;
    m_table.showStandings(standings);
    EXPECT_EQ(background(cell("MJ", 6)), QColor(0xC0FFC0));
    EXPECT_EQ(background(cell("MJ", 7)), QColor(0xFFFFFF));
    EXPECT_EQ(textColour(cell("TPTS", 19)), QColor(0xFF0000));
    EXPECT_EQ(textColour(cell("TPTS", 18)), QColor(Qt::black));

    standings.rows[6].belowAverage = false;
    standings.rows[19].data.points = 4;
    m_table.showStandings(standings);
    EXPECT_EQ(background(cell("MJ", 6)), QColor(0xFFFFFF));
    EXPECT_EQ(textColour(cell("TPTS", 19)), QColor(Qt::black));
}

TEST_F(StandingsTableTest, PanelsShowTheLeagueInformation)
{
    QStringList crestRequests;
    m_table.setCrestProvider([&](const QString &team) {
        crestRequests.append(team);
        QPixmap crest(32, 32);
        crest.fill(Qt::darkBlue);
        return crest;
    });
    DisplayedStandings standings = sampleStandings();
    standings.title = "Classement à la Journée N°12";
    m_table.showStandings(standings);

    const auto label = [&](const char *name) { return m_table.findChild<QLabel *>(name); };
    EXPECT_EQ(label("LabMaj")->text(), "12/05/2014 23:41");
    EXPECT_EQ(label("Label12")->text(), "Classement à la Journée N°12");
    EXPECT_EQ(label("Label19")->text(), standings.goalsText);
    EXPECT_EQ(label("Label6")->text(), "97% des Matches joués");
    EXPECT_EQ(label("Label9")->text(), "Premier:\r\nPort-Aven");
    EXPECT_EQ(crestRequests, QStringList{"Port-Aven"});
    EXPECT_FALSE(label("Image1")->pixmap().isNull());

    // The bar fills its frame by the share of the season, overlapping the
    // frame's left edge by one pixel.
    auto *bar = label("Label5");
    auto *frame = m_table.findChild<QFrame *>("Picture1");
    ASSERT_EQ(bar->parentWidget(), frame);
    EXPECT_EQ(bar->x(), -1);
    EXPECT_EQ(bar->width(), qRound(frame->width() * 740.0 / 760.0) + 1);

    auto *aheadBehind = m_table.findChild<QFrame *>("Frame11");
    EXPECT_TRUE(aheadBehind->isHidden());
    standings.aheadBehindText = "1 Match en retard pour : Nérac, Sorgues.";
    standings.leader.clear();
    standings.progress = 0;
    standings.progressText = "0% des Matches joués";
    m_table.showStandings(standings);
    EXPECT_FALSE(aheadBehind->isHidden());
    EXPECT_EQ(label("Label28")->text(), "1 Match en retard pour : Nérac, Sorgues.");
    EXPECT_EQ(label("Label28")->parentWidget(), aheadBehind);
    EXPECT_EQ(bar->width(), 1);
    // Without a leader the panel keeps what it showed.
    EXPECT_EQ(label("Label9")->text(), "Premier:\r\nPort-Aven");
    EXPECT_EQ(crestRequests.size(), 1);

    standings.aheadBehindText.clear();
    m_table.showStandings(standings);
    EXPECT_TRUE(aheadBehind->isHidden());
}

TEST_F(StandingsTableTest, HoverAsksForEachTeamOnceAndClicksAreForwarded)
{
    m_table.showStandings(sampleStandings());
    QSignalSpy hovered(&m_table, &StandingsTable::teamHovered);
    QSignalSpy ranks(&m_table, &StandingsTable::rankClicked);
    QSignalSpy leader(&m_table, &StandingsTable::leaderClicked);
    QSignalSpy goals(&m_table, &StandingsTable::goalsClicked);

    hover(cell("Tclass", 3));
    QTest::mouseMove(cell("Tclass", 3), centre(cell("Tclass", 3)) + QPoint(5, 0));
    hover(cell("LabClass", 3));
    ASSERT_EQ(hovered.size(), 1);
    EXPECT_EQ(hovered[0][0].toInt(), 3);
    EXPECT_EQ(hovered[0][1].toString(), "Ormaie");
    hover(cell("LabClass", 4));
    hover(cell("Tclass", 3));
    ASSERT_EQ(hovered.size(), 3);
    EXPECT_EQ(hovered[1][1].toString(), "Lunel-Bas");
    EXPECT_EQ(hovered[2][1].toString(), "Ormaie");

    QTest::mouseClick(cell("LabClass", 2), Qt::LeftButton);
    ASSERT_EQ(ranks.size(), 1);
    EXPECT_EQ(ranks[0][0].toString(), "Saint-Ivre");
    QTest::mouseClick(cell("Tclass", 2), Qt::LeftButton);
    EXPECT_EQ(ranks.size(), 1);

    QTest::mouseClick(m_table.findChild<QLabel *>("Image1"), Qt::LeftButton);
    QTest::mouseClick(m_table.findChild<QLabel *>("Label9"), Qt::LeftButton);
    EXPECT_EQ(leader.size(), 2);
    QTest::mouseClick(m_table.findChild<QLabel *>("Label19"), Qt::LeftButton);
    EXPECT_EQ(goals.size(), 1);
}

TEST_F(StandingsTableTest, TrackingAidFramesTheHoveredRowAndColumn)
{
    m_table.showStandings(sampleStandings());
    QSignalSpy hovered(&m_table, &StandingsTable::teamHovered);
    const auto marker = [&](int i) { return frameOf(m_table, "FraLIM", i); };
    const auto rule = [&](int i) { return frameOf(m_table, "LinHor", i); };
    const auto bottomEdge = [&](int row) { return cell("Tclass", row)->geometry().bottom() + 1; };

    // Switched off, a main column neither marks nor asks for the row's team.
    hover(cell("TBP", 6));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(marker(i)->isHidden()) << i;
    EXPECT_EQ(hovered.size(), 0);

    m_table.setTrackingAid(true);
    QLabel *points = cell("TPTS", 5);
    hover(points);
    ASSERT_EQ(hovered.size(), 1);
    EXPECT_EQ(hovered[0][1].toString(), "Brézolles");
    EXPECT_TRUE(marker(0)->isHidden());
    EXPECT_TRUE(marker(1)->isHidden());
    EXPECT_FALSE(marker(2)->isHidden());
    EXPECT_FALSE(marker(3)->isHidden());
    EXPECT_EQ(marker(2)->x(), points->x());
    EXPECT_EQ(marker(3)->x(), points->x() + points->width() - 1);
    EXPECT_FALSE(rule(0)->isHidden());
    EXPECT_EQ(rule(0)->y(), bottomEdge(4) - 1);
    EXPECT_EQ(rule(1)->y(), bottomEdge(5) - 1);

    // A home/away column uses the other pair of markers.
    QLabel *draws = cell("TMN", 8);
    hover(draws);
    EXPECT_FALSE(marker(0)->isHidden());
    EXPECT_FALSE(marker(1)->isHidden());
    EXPECT_TRUE(marker(2)->isHidden());
    EXPECT_TRUE(marker(3)->isHidden());
    EXPECT_EQ(marker(0)->x(), draws->x());
    EXPECT_EQ(marker(1)->x(), draws->x() + draws->width() - 1);
    EXPECT_EQ(rule(1)->y(), bottomEdge(8) - 1);

    // Once cleared, the markers come back on the same column.
    m_table.clearTrackingMarkers();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(marker(i)->isHidden()) << i;
    hover(cell("TMN", 9));
    EXPECT_FALSE(marker(0)->isHidden());

    // The top row has no row above to frame it: the rules stay where they were.
    const int ruleBefore = rule(1)->y();
    hover(cell("Tclass", 0));
    EXPECT_EQ(rule(1)->y(), ruleBefore);

    m_table.setTrackingAid(false);
    hover(cell("TBC", 12));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(marker(i)->isHidden()) << i;
    EXPECT_TRUE(rule(0)->isHidden());
}

TEST_F(StandingsTableTest, RendersTheCellColoursOnScreen)
{
    DisplayedStandings standings = sampleStandings();
    standings.rows[5].favourite = true;
    standings.rows[12].belowAverage = true;
    standings.aheadBehindText = "1,5 Matches en retard pour : Nérac, Sorgues, Vernay.";
    standings.title = "Classement à la Journée N°37";
    m_table.setCrestProvider([](const QString &) {
        QPixmap crest(48, 48);
        crest.fill(QColor(0x2050A0));
        return crest;
    });
    m_table.showStandings(standings);
    m_table.setTrackingAid(true);
    hover(cell("TBPD", 7));

    const QImage shot = m_table.grab().toImage();
    const auto colourAt = [&](const QString &column, int row) {
        return QColor(shot.pixel(cell(column, row)->geometry().topLeft() + QPoint(1, 1)));
    };
    EXPECT_EQ(colourAt("TBP", 3), QColor(0xC0FFC0));
    EXPECT_EQ(colourAt("Tclass", 5), QColor(0xFFFF00));
    EXPECT_EQ(colourAt("Tclass", 0), QColor(0x97DEFF));
    EXPECT_EQ(colourAt("MJ", 12), QColor(0xC0FFC0));
    EXPECT_NE(QColor(shot.pixel(cell("TBP", 3)->geometry().topLeft() - QPoint(1, 1))), QColor(0xC0FFC0));

    // Set this to a path to look at the table.
    const QString path = qEnvironmentVariable("KESTRANE_STANDINGS_SHOT");
    if (!path.isEmpty()) {
        EXPECT_TRUE(shot.save(path));
    }
}

} // namespace
