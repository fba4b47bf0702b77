// The table drawn as a PDF page through the printer: one A4 page whose text
// holds every team name, colours that match the window's, and a clear
// failure for a file that cannot be written.
#include "standings/ui/tablepdf.h"

#include "season/core/seasonfolder.h"
#include "seasonbuilder.h"
#include "specialfiles.h"
#include "standings/core/tableexport.h"
#include "standings/core/tableprinter.h"
#include "standings/ui/standingspalette.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

namespace {

const QDateTime Now(QDate(2013, 12, 5), QTime(20, 0));

class TablePdf : public ::testing::Test
{
protected:
    DisplayedStandings standings(const QStringList &names)
    {
        SeasonBuilder season(names);
        ResultsBuilder results;
        results.result(season.keyOf('A', 'B'), 'A', QStringLiteral("3"), QStringLiteral("0"), 'B');
        folder.write(QStringLiteral("2013.txt"), season.seasonFile());
        folder.write(QStringLiteral("Resultats2013.ini"), results.bytes());
        QString errors;
        QTextStream err(&errors);
        int status = 0;
        const auto opened = SeasonFolder::open(folder.path(), QDateTime::currentDateTime(), err, status);
        EXPECT_NE(opened, nullptr);
        return opened ? displayedStandingsOf(*opened, 0, Now) : DisplayedStandings();
    }

    TestFolder folder;
};

QStringList names()
{
    QStringList list = SeasonBuilder::defaultNames();
    list[0] = QStringLiteral("Sporting & <Club>");
    list[1] = QStringLiteral("Étréville Fidèle");
    return list;
}

TEST_F(TablePdf, OneA4PageWithEveryTeamNameAsText)
{
    const DisplayedStandings shown = standings(names());
    const QString path = folder.file(QStringLiteral("classement.pdf"));
    folder.write(QStringLiteral("classement.pdf"), "an older file");
    QString error;
    ASSERT_TRUE(tablepdf::writePdf(shown, path, error)) << error.toStdString();

    const QByteArray pdf = folder.read(QStringLiteral("classement.pdf"));
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    // One page object, landscape A4 (842 x 595 points).
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
    const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 (\\d+(?:\\.\\d+)?) (\\d+(?:\\.\\d+)?)\\]"));
    const QRegularExpressionMatch box = mediaBox.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 842, 1);
    EXPECT_NEAR(box.captured(2).toDouble(), 595, 1);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing: the text of the page is not checked";
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString &name : names())
        EXPECT_TRUE(text.contains(name)) << name.toStdString() << " not found as text";
    for (const QString &heading : {QStringLiteral("Equipe"), QStringLiteral("Points"), QStringLiteral("Matches Joués"),
                                   QStringLiteral("Buts pour"), QStringLiteral("Relégué en Kestrane 2")})
        EXPECT_TRUE(text.contains(heading)) << heading.toStdString();
    EXPECT_EQ(text.count(QChar(0x0C)), 1) << "pdftotext separates pages with a form feed";

    // The winner's row as the page lays it out, written out by hand: Sporting
    // won its one match 3-0 at home, so home and away columns differ.
    QProcess layout;
    layout.start(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                             QStringLiteral("-")});
    ASSERT_TRUE(layout.waitForFinished(30000));
    QString winner;
    for (const QString &line : QString::fromUtf8(layout.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.contains(names()[0]))
            winner = QString(line).remove(names()[0]);
    }
    EXPECT_EQ(winner.split(QLatin1Char(' '), Qt::SkipEmptyParts),
              (QStringList{"1", "3", "3", "3", "0", "1", "0", "3", "0", "0", "0", "3", "0", "1", "0", "0", "0", "0"}))
        << winner.toStdString();
}

// Every zone of the table is painted on the page, in the colour the window
// gives it.
TEST_F(TablePdf, TheDrawingMarksEveryZone)
{
    QImage image(1400, 990, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        tablepdf::drawTable(painter, QRectF(20, 20, 1360, 950), standings(names()));
    }
    const auto pixels = [&image](QRgb colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                count += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF);
        }
        return count;
    };
    // The legend shows each colour once; the name cells add a cell per rank
    // of the zone, so a zone of more ranks covers more of the page.
    const int third = pixels(leaguezones::ThirdRound.colour);
    EXPECT_GT(third, 0);
    EXPECT_GT(pixels(leaguezones::Europa.colour), 0);
    EXPECT_GT(pixels(leaguezones::ChampionsLeague.colour), third);
    EXPECT_GT(pixels(leaguezones::Relegation.colour), pixels(leaguezones::ChampionsLeague.colour));
}

// A program stopped half-way through an export leaves nothing anywhere but
// where the page goes: the page is made without any temporary folder.
TEST_F(TablePdf, ThePageIsMadeWithoutATemporaryFolder)
{
    const DisplayedStandings shown = standings(names());
    const specialfiles::NoTemporaryFolder noTemporaryFolder(folder.file(QStringLiteral("tmp")));
    QString error;
    ASSERT_TRUE(tablepdf::writePdf(shown, folder.file(QStringLiteral("classement.pdf")), error)) << error.toStdString();
    EXPECT_TRUE(folder.read(QStringLiteral("classement.pdf")).startsWith("%PDF-"));
}

TEST_F(TablePdf, AFileThatCannotBeWrittenIsToldAndNothingIsLeft)
{
    const DisplayedStandings shown = standings(SeasonBuilder::defaultNames());
    QString error;
    EXPECT_FALSE(tablepdf::writePdf(shown, folder.file(QStringLiteral("absent/classement.pdf")), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Impossible d'écrire le fichier"))) << error.toStdString();
    EXPECT_FALSE(tablepdf::writePdf(shown, folder.path(), error));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("absent"))));
}

} // namespace
