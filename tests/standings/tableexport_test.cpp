// The spreadsheet and web page exports of the table, read back: every row
// and cell as displayed, the French number format, the quoting and escaping
// of names that come from files, and the command line's steps.
#include "standings/core/tableexport.h"

#include "season/core/seasonfolder.h"
#include "seasonbuilder.h"
#include "specialfiles.h"
#include "standings/core/criterionsort.h"
#include "standings/core/exportfile.h"
#include "standings/core/tableprinter.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTextStream>
#include <QXmlStreamReader>

#include <algorithm>
#include <functional>
#include <memory>

#include <sched.h>
#include <sys/mount.h>

namespace {

const QDateTime Now(QDate(2013, 12, 5), QTime(20, 0));

QByteArray sample(const QString &name)
{
    QFile f(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A CSV reader as a spreadsheet reads the file: ";" between fields, quoted
// fields with doubled quotes, CR LF between records.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u';') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(record.isEmpty() && field.isEmpty()) << "the last record lacks its CR LF";
    return records;
}

// The body cells of the page's table, row by row, read with an XML reader.
struct Page
{
    QList<QStringList> rows;
    QList<QStringList> styles; // the style attribute of each cell
    QStringList headings;
    QStringList legend;
    QString caption;
    bool script = false;
    QString error;
};

Page parseHtml(const QByteArray &bytes)
{
    Page page;
    QXmlStreamReader xml(bytes);
    bool inBody = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == u"script")
                page.script = true;
            else if (name == u"tbody")
                inBody = true;
            else if (name == u"tr" && inBody)
                page.rows.append(QStringList()), page.styles.append(QStringList());
            else if (name == u"td" && inBody) {
                page.styles.last() << xml.attributes().value(QStringLiteral("style")).toString();
                page.rows.last() << xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (name == u"th")
                page.headings << xml.readElementText();
            else if (name == u"caption")
                page.caption = xml.readElementText();
            else if (name == u"li")
                page.legend << xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement() && xml.name() == u"tbody") {
            inBody = false;
        }
    }
    if (xml.hasError())
        page.error = xml.errorString();
    return page;
}

class TableExport : public ::testing::Test
{
protected:
    void useBundledSeason()
    {
        folder.write(QStringLiteral("2013.txt"), sample(QStringLiteral("2013.txt")));
        folder.write(QStringLiteral("Resultats2013.ini"), sample(QStringLiteral("Resultats2013.ini")));
    }
    void useSeason(const SeasonBuilder &season, const ResultsBuilder &results)
    {
        folder.write(QStringLiteral("2013.txt"), season.seasonFile());
        folder.write(QStringLiteral("Resultats2013.ini"), results.bytes());
    }
    DisplayedStandings displayed(MatchDayNo upTo = 0)
    {
        QString errors;
        QTextStream err(&errors);
        int status = 0;
        opened = SeasonFolder::open(folder.path(), QDateTime::currentDateTime(), err, status);
        EXPECT_NE(opened, nullptr) << errors.toStdString();
        return opened ? displayedStandingsOf(*opened, upTo, Now) : DisplayedStandings();
    }

    TestFolder folder;
    std::unique_ptr<SeasonFolder> opened;
};

// Names a file may hold that break a careless export.
QStringList awkwardNames()
{
    QStringList names = SeasonBuilder::defaultNames();
    names[0] = QStringLiteral("Sporting & <Club>");
    names[1] = QStringLiteral("Racing; \"Les Bleus\"");
    names[2] = QStringLiteral("=SOMME(A1:A9)");
    names[3] = QStringLiteral("Élan Sud");
    // A formula behind a blank, control characters a file may hold.
    names[4] = QStringLiteral(" =1+1");
    names[5] = QStringLiteral("Tab\tul\x01\x1B\x7Fée");
    names[6] = QStringLiteral("Rives; Lac");
    return names;
}

TEST_F(TableExport, CsvReadsBackIntoTheTwentyRowsAsDisplayed)
{
    useBundledSeason();
    const DisplayedStandings shown = displayed(12);
    const QByteArray csv = tableexport::toCsv(shown);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF")) << "no byte order mark for the spreadsheet";
    EXPECT_FALSE(csv.contains("\r\n\n") || QByteArray(csv).replace("\r\n", "").contains('\n'))
        << "a line ends without CR LF";

    const QList<QStringList> records = parseCsv(csv);
    ASSERT_EQ(records.size(), 1 + TeamCount);
    QStringList header;
    for (const tableexport::Column &column : tableexport::columns())
        header << column.csvHeader;
    EXPECT_EQ(records[0], header);
    EXPECT_EQ(records[0].value(0), QStringLiteral("Rang"));
    EXPECT_EQ(records[0].value(2), QStringLiteral("Equipe"));
    for (int r = 0; r < TeamCount; ++r) {
        const DisplayedRow &row = shown.rows[r];
        EXPECT_EQ(records[r + 1], tableexport::cellTexts(row)) << "row " << r;
        EXPECT_EQ(records[r + 1].value(0), row.rankLabel);
        EXPECT_EQ(records[r + 1].value(2), row.data.name);
    }
}

TEST_F(TableExport, CsvQuotesNamesAndWritesFractionalPointsWithTheDecimalComma)
{
    SeasonBuilder season(awkwardNames());
    ResultsBuilder results;
    results.result(season.keyOf('A', 'B'), 'A', QStringLiteral("2"), QStringLiteral("1"), 'B')
        .bonusMalus('C', QStringLiteral("1.5"))
        .bonusMalus('D', QStringLiteral("-2.5"));
    useSeason(season, results);
    const DisplayedStandings shown = displayed();
    const QList<QStringList> records = parseCsv(tableexport::toCsv(shown));
    ASSERT_EQ(records.size(), 1 + TeamCount);

    QHash<QString, QStringList> byName;
    for (int r = 1; r < records.size(); ++r)
        byName.insert(records[r].value(2), records[r]);
    EXPECT_TRUE(byName.contains(QStringLiteral("Sporting & <Club>")));
    EXPECT_TRUE(byName.contains(QStringLiteral("Racing; \"Les Bleus\"")));
    // A ";" alone is reason enough for quotes.
    EXPECT_TRUE(byName.contains(QStringLiteral("Rives; Lac")));
    EXPECT_TRUE(tableexport::toCsv(shown).contains(";\"Rives; Lac\";"));
    // A spreadsheet must show the name, not run it.
    EXPECT_TRUE(byName.contains(QStringLiteral("'=SOMME(A1:A9)")));
    EXPECT_EQ(byName.value(QStringLiteral("'=SOMME(A1:A9)")).value(3), QStringLiteral("1,5"));
    EXPECT_EQ(byName.value(QStringLiteral("Élan Sud")).value(3), QStringLiteral("-2,5"));
    EXPECT_TRUE(byName.contains(QStringLiteral("' =1+1")));
    EXPECT_TRUE(byName.contains(QStringLiteral("Tab ul   ée")));
    // No control character at all, anywhere in the file (the line ends aside).
    const QString csv = QString::fromUtf8(tableexport::toCsv(shown)).remove(QStringLiteral("\r\n"));
    EXPECT_FALSE(
        std::any_of(csv.begin(), csv.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }));
    // Every record has as many fields as the header, quotes or not.
    for (const QStringList &record : records)
        EXPECT_EQ(record.size(), tableexport::columns().size());

    // The header and the winner's line, written out by hand: Sporting won its
    // one match 2-1 at home, so home and away columns differ.
    const QList<QByteArray> lines = tableexport::toCsv(shown).mid(3).split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QByteArray("Rang;Évolution;Equipe;Points;Delta;Pour;Contre;Matches Joués;Fair Play;"
                                   "Buts pour Dom;Buts pour Ext;Buts contre Dom;Buts contre Ext;Points Dom;Points Ext;"
                                   "Gagnés Dom;Gagnés Ext;Perdus Dom;Perdus Ext;Nuls\r"));
    EXPECT_EQ(lines[1], QByteArray("1;;Sporting & <Club>;3;1;2;1;1;0;2;0;1;0;3;0;1;0;0;0;0\r"));
}

TEST_F(TableExport, HtmlHoldsEveryCellEscapedWithZoneColoursAndALegend)
{
    SeasonBuilder season(awkwardNames());
    ResultsBuilder results;
    results.result(season.keyOf('A', 'B'), 'A', QStringLiteral("2"), QStringLiteral("1"), 'B');
    useSeason(season, results);
    const DisplayedStandings shown = displayed();
    const QByteArray html = tableexport::toHtml(shown);

    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(html.contains("<meta charset=\"utf-8\"/>"));
    EXPECT_TRUE(html.contains("Sporting &amp; &lt;Club&gt;"));
    EXPECT_TRUE(html.contains("Tab ul   ée"));
    EXPECT_FALSE(html.contains('\t') || html.contains('\x01') || html.contains('\x1B') || html.contains('\x7F'));
    EXPECT_FALSE(html.contains("<Club>"));
    EXPECT_FALSE(html.contains("http:") || html.contains("https:") || html.contains(" src=")) << "not self-contained";

    const Page page = parseHtml(html);
    ASSERT_TRUE(page.error.isEmpty()) << page.error.toStdString();
    EXPECT_FALSE(page.script);
    EXPECT_EQ(page.caption, QStringLiteral("Classement général"));
    ASSERT_EQ(page.rows.size(), TeamCount);
    for (int r = 0; r < TeamCount; ++r) {
        QStringList expected = tableexport::cellTexts(shown.rows[r]);
        expected.removeAt(1); // no movement marks: the page leaves their column out
        EXPECT_EQ(page.rows[r], expected) << "row " << r;
    }
    EXPECT_TRUE(page.headings.contains(QStringLiteral("Buts pour")));
    EXPECT_FALSE(page.headings.contains(QStringLiteral("Évol.")));

    // Sporting won the only match, 2-1 at home: first, in the Champions
    // League colour; the last three in the relegation colour.
    EXPECT_EQ(page.rows[0], (QStringList{"1", "Sporting & <Club>", "3", "1", "2", "1", "1", "0", "2", "0", "1", "0",
                                         "3", "0", "1", "0", "0", "0", "0"}));
    EXPECT_EQ(page.headings, (QStringList{"Rang",          "Equipe",    "Points",    "Delta",       "Pour",   "Contre",
                                          "Matches Joués", "Fair Play", "Buts pour", "Buts contre", "Points", "Gagnés",
                                          "Perdus",        "Nuls",      "Dom",       "Ext",         "Dom",    "Ext",
                                          "Dom",           "Ext",       "Dom",       "Ext",         "Dom",    "Ext"}));
    EXPECT_EQ(page.styles[0].value(1), QStringLiteral("background:#97DEFF"));
    EXPECT_EQ(page.styles[19].value(1), QStringLiteral("background:#FF8080"));
    EXPECT_EQ(page.styles[10].value(1), QString());
    // The zones, then the green of the teams that played fewer matches than
    // the league's average (all but the two that played).
    ASSERT_EQ(page.legend.size(), 5);
    EXPECT_TRUE(page.legend[0].contains(QStringLiteral("Champions league")));
    EXPECT_TRUE(page.legend[3].contains(QStringLiteral("Relégué en Kestrane 2")));
    EXPECT_TRUE(page.legend[4].contains(QStringLiteral("moyenne")));
    const int played = 6; // rank, team, points, delta, for, against
    EXPECT_EQ(page.styles[0].value(played), QString());
    EXPECT_EQ(page.styles[5].value(played), QStringLiteral("background:#C0FFC0"));
}

TEST_F(TableExport, HtmlFollowsASortAndTheMovementMarks)
{
    useBundledSeason();
    DisplayedStandings shown = criterion::sortByCriterion(displayed(), QStringLiteral("BC"));
    shown.rows[0].movement = Movement::Up;
    shown.rows[0].movementText = QStringLiteral("+2");
    const Page page = parseHtml(tableexport::toHtml(shown));
    ASSERT_TRUE(page.error.isEmpty()) << page.error.toStdString();
    EXPECT_EQ(page.caption, criterion::title(QStringLiteral("BC")));
    ASSERT_EQ(page.rows.size(), TeamCount);
    EXPECT_EQ(page.rows[0], tableexport::cellTexts(shown.rows[0]));
    EXPECT_EQ(page.rows[0].value(1), QStringLiteral("+2"));
    // The sorted statistic is yellow, the zones are gone, the legend says so.
    const int against = 6; // rank, movement, team, points, delta, for, against
    EXPECT_EQ(page.styles[0].value(against), QStringLiteral("background:#FFFF00"));
    EXPECT_EQ(page.styles[0].value(2), QString());
    ASSERT_EQ(page.legend.size(), 1);
    EXPECT_TRUE(page.legend[0].contains(criterion::title(QStringLiteral("BC"))));
}

TEST_F(TableExport, BeforeAnyResultNoZoneIsPaintedNorExplained)
{
    useSeason(SeasonBuilder(), ResultsBuilder());
    const Page page = parseHtml(tableexport::toHtml(displayed()));
    ASSERT_TRUE(page.error.isEmpty());
    EXPECT_TRUE(page.legend.isEmpty());
    for (const QStringList &styles : page.styles)
        EXPECT_EQ(styles.value(1), QString());
}

TEST_F(TableExport, AFileIsReplacedWholeAndAFailureIsToldInFrench)
{
    const QString path = folder.file(QStringLiteral("classement.csv"));
    folder.write(QStringLiteral("classement.csv"), QByteArray(5000, 'x'));
    // The replaced file keeps its permissions, and its owner when root
    // writes it (a scheduled task must not take a user's file away).
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    }
    QString error;
    ASSERT_TRUE(exportfile::write(path, "court", error)) << error.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("classement.csv")), QByteArray("court"));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
    }

    EXPECT_FALSE(exportfile::write(folder.file(QStringLiteral("absent/classement.csv")), "x", error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Impossible d'écrire le fichier"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("n'existe pas")));
    EXPECT_FALSE(exportfile::write(folder.path(), "x", error));
    EXPECT_TRUE(error.contains(QStringLiteral("c'est un dossier")));

    // Any name the file system takes (255 bytes) is written; a longer one is told.
    for (const QString &name : {QString(251, u'n') + ".csv", QString(125, u'é') + ".csv"})
        EXPECT_TRUE(exportfile::write(folder.file(name), "x", error) && folder.read(name) == "x")
            << error.toStdString();
    EXPECT_FALSE(exportfile::write(folder.file(QString(252, u'n') + ".csv"), "x", error));
    EXPECT_TRUE(error.contains(QStringLiteral("le nom du fichier est trop long"))) << error.toStdString();

    // A relative link leads from its own folder, never from the current one.
    TestFolder current;
    for (const TestFolder *made : {&folder, &current})
        ASSERT_TRUE(QDir(made->path()).mkdir(QStringLiteral("sous")));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    const auto back = qScopeGuard([&] { QDir::setCurrent(previous); });
    ASSERT_TRUE(specialfiles::makeLink(QStringLiteral("sous/vrai.csv"), path + ".lien"));
    EXPECT_TRUE(exportfile::write(path + ".lien", "lié", error)) << error.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("sous/vrai.csv")), QByteArray("lié"));
    EXPECT_TRUE(QDir(current.file(QStringLiteral("sous"))).isEmpty());
}

TEST_F(TableExport, TheCommandLineRefusesABadMatchDayAndTheProgramsOwnFiles)
{
    useBundledSeason();
    displayed();
    ASSERT_NE(opened, nullptr);
    const QByteArray store = folder.read(QStringLiteral("Resultats2013.ini"));
    QString errors;
    QTextStream err(&errors);

    EXPECT_EQ(tableexport::exportCommand(*opened, folder.file(QStringLiteral("t.csv")), QStringLiteral("39"), Now,
                                         tableexport::writeCsv, err),
              2);
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("t.csv"))));
    // Every file kept beside the store, whatever the case of its name (a file
    // system may ignore it).
    for (const QString &own :
         {QStringLiteral("Resultats2013.ini"), QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.BU"),
          QStringLiteral("Resultats2013.serveur"), QStringLiteral("RESULTATS2013.INI")}) {
        EXPECT_EQ(tableexport::exportCommand(*opened, folder.path() + QStringLiteral("/./") + own, QString(), Now,
                                             tableexport::writeCsv, err),
                  2)
            << own.toStdString();
    }
    err.flush();
    EXPECT_TRUE(errors.contains(QStringLiteral("fichier du programme")));
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), store);

    EXPECT_EQ(tableexport::exportCommand(*opened, folder.file(QStringLiteral("t.html")), QStringLiteral("12"), Now,
                                         tableexport::writeHtml, err),
              0);
    const Page page = parseHtml(folder.read(QStringLiteral("t.html")));
    EXPECT_EQ(page.caption, matchDayTitle(12));
    EXPECT_EQ(page.rows.size(), TeamCount);
}

// An export writes a regular file, new or existing, and nothing else: not a
// device, not a FIFO, not a read-only file (root included), not a program
// file a link leads to, even a missing one, nor the file a program file's own
// link leads to, not a name the program's clean-up would take for one of its
// temporaries, and not a folder's name.
TEST_F(TableExport, AnExportWritesOnlyARegularFileOfItsOwn)
{
    using namespace specialfiles;
    useBundledSeason();
    displayed();
    ASSERT_NE(opened, nullptr);
    const QByteArray store = folder.read(QStringLiteral("Resultats2013.ini"));
    TestFolder elsewhere;
    const auto inFolder = [this](const char *name) { return folder.file(QString::fromLatin1(name)); };
    const auto target = [&elsewhere](const char *name) { return elsewhere.file(QString::fromLatin1(name)); };

    struct Row
    {
        const char *what;
        std::function<bool()> make;
        const char *path;    // in `elsewhere`
        const char *message; // what the refusal says
        std::function<bool()> untouched;
    };
    const Row rows[] = {
        {"a dangling link to the store's backup",
         [&] { return makeLink(inFolder("Resultats2013.BU"), target("bu.csv")); }, "bu.csv", "fichier du programme",
         [&] { return !QFileInfo::exists(inFolder("Resultats2013.BU")); }},
        {"the file the store's own link leads to",
         [&] {
             return QFile::rename(inFolder("Resultats2013.ini"), target("vrai.ini"))
                    && makeLink(target("vrai.ini"), inFolder("Resultats2013.ini"));
         },
         "vrai.ini", "fichier du programme",
         [&] {
             const bool kept = elsewhere.read(QStringLiteral("vrai.ini")) == store;
             return QFile::remove(inFolder("Resultats2013.ini"))
                    && QFile::rename(target("vrai.ini"), inFolder("Resultats2013.ini")) && kept;
         }},
        {"a name ending in \"/\"", [] { return true; }, "x.csv/", "ce nom désigne un dossier, pas un fichier",
         [&] { return !QFileInfo::exists(target("x.csv")); }},
        {"a dangling link to the missing store",
         [&] {
             return QFile::rename(inFolder("Resultats2013.ini"), inFolder("mis-de-cote.ini"))
                    && makeLink(inFolder("Resultats2013.ini"), target("store.csv"));
         },
         "store.csv", "fichier du programme",
         [&] {
             const bool absent = !QFileInfo::exists(inFolder("Resultats2013.ini"));
             return QFile::rename(inFolder("mis-de-cote.ini"), inFolder("Resultats2013.ini")) && absent;
         }},
        {"a link to a dated copy",
         [&] { return makeLink(inFolder("ResultatsK22013-051213.ini"), target("copie.csv")); }, "copie.csv",
         "fichier du programme", [&] { return !QFileInfo::exists(inFolder("ResultatsK22013-051213.ini")); }},
        {"a link through a link to the donors list",
         [&] { return makeLink(inFolder("don.K1"), target("a.csv")) && makeLink(target("a.csv"), target("b.csv")); },
         "b.csv", "fichier du programme", [&] { return !QFileInfo::exists(inFolder("don.K1")); }},
        {"a name the clean-up takes for its own", [] { return true; }, "classement.csv.kestrane-ab12cd.tmp",
         "fichier du programme", [&] { return !QFileInfo::exists(target("classement.csv.kestrane-ab12cd.tmp")); }},
        {"a FIFO", [&] { return makeFifo(target("tube.csv")); }, "tube.csv", "ce n'est pas un fichier ordinaire",
         [&] {
             struct stat st;
             return ::stat(QFile::encodeName(target("tube.csv")).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
         }},
        {"a link that loops", [&] { return makeLink(target("boucle.csv"), target("boucle.csv")); }, "boucle.csv",
         "forment une boucle", [] { return true; }},
        {"a read-only file",
         [&] {
             elsewhere.write(QStringLiteral("lecture.csv"), "mine");
             return QFile::setPermissions(target("lecture.csv"), QFileDevice::ReadOwner | QFileDevice::ReadOther);
         },
         "lecture.csv", "lecture seule", [&] { return elsewhere.read(QStringLiteral("lecture.csv")) == "mine"; }},
    };
    for (const Row &row : rows) {
        ASSERT_TRUE(row.make()) << row.what;
        QString errors;
        QTextStream err(&errors);
        EXPECT_EQ(tableexport::exportCommand(*opened, target(row.path), QString(), Now, tableexport::writeCsv, err), 2)
            << row.what;
        err.flush();
        EXPECT_TRUE(errors.contains(QString::fromUtf8(row.message))) << row.what << ": " << errors.toStdString();
        EXPECT_TRUE(row.untouched()) << row.what;
    }
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), store);
}

// The program folder mounted again elsewhere: its files are the program's all
// the same. The mount lives in the test's own mount namespace, and dies with it.
TEST_F(TableExport, AnExportThroughABindMountOfTheProgramFolderIsRefused)
{
    useBundledSeason();
    displayed();
    ASSERT_NE(opened, nullptr);
    const QByteArray store = folder.read(QStringLiteral("Resultats2013.ini"));
    TestFolder elsewhere;
    const QString other = elsewhere.file(QStringLiteral("autre"));
    ASSERT_TRUE(QDir().mkdir(other));
    const QByteArray mountPoint = QFile::encodeName(other);
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || ::mount(QFile::encodeName(folder.path()).constData(), mountPoint.constData(), nullptr, MS_BIND, nullptr)
               != 0) {
        GTEST_SKIP() << "no right to mount here (root with CAP_SYS_ADMIN is needed): the refusal through a bind "
                        "mount is not checked";
    }
    const auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
    ASSERT_TRUE(QFileInfo::exists(other + QStringLiteral("/Resultats2013.ini")));
    for (const char *name : {"Resultats2013.ini", "Resultats2013.serveur"}) {
        QString errors;
        QTextStream err(&errors);
        EXPECT_EQ(tableexport::exportCommand(*opened, other + u'/' + QString::fromLatin1(name), QString(), Now,
                                             tableexport::writeCsv, err),
                  2)
            << name;
        err.flush();
        EXPECT_TRUE(errors.contains(QStringLiteral("fichier du programme"))) << name << ": " << errors.toStdString();
    }
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), store);
}

// A device node made for the test (as /dev/null is one): replacing it would
// replace the system's own as soon as a link or a path names it.
TEST_F(TableExport, AnExportNeverReplacesADeviceNode)
{
    useBundledSeason();
    displayed();
    ASSERT_NE(opened, nullptr);
    TestFolder elsewhere;
    const QString device = elsewhere.file(QStringLiteral("null"));
    if (!specialfiles::makeNullDevice(device))
        GTEST_SKIP() << "only root may make a device node: the refusal of a device is not checked here";
    QString errors;
    QTextStream err(&errors);
    EXPECT_EQ(tableexport::exportCommand(*opened, device, QString(), Now, tableexport::writeHtml, err), 2);
    err.flush();
    EXPECT_TRUE(errors.contains(QStringLiteral("ce n'est pas un fichier ordinaire"))) << errors.toStdString();
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

} // namespace
