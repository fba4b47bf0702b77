// The league's website built in memory, read back as a browser and another
// program would: every figure against what the command line prints for the
// same folder, the rules every page keeps, the escaping of every text from
// the season or the store, and the same bytes from the same inputs.
#include "site/core/sitebuilder.h"

#include "matchday/core/matchdayprinter.h"
#include "season/core/seasonfolder.h"
#include "seasonbuilder.h"
#include "site/core/siteslug.h"
#include "standings/core/outlookprinter.h"
#include "standings/core/standingsprinter.h"
#include "standings/core/statisticsprinter.h"
#include "team/core/teamprinters.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>
#include <QXmlStreamReader>

#include <cmath>
#include <functional>
#include <memory>

namespace {

const QString Hostile = QStringLiteral("<b>Rives</b> & \"Lac\"");

QByteArray sample(const QString &name)
{
    QFile f(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A season whose names and texts try to break out of every format: markup,
// quotes, a "%1", two names for one page name; a fractional adjustment, a
// postponed match and a score typed on one side; match days 1..37 played.
std::pair<QByteArray, QByteArray> hostileSeason()
{
    QStringList names = SeasonBuilder::defaultNames();
    names[0] = Hostile;
    names[1] = QStringLiteral("Étréville AC");
    names[2] = QStringLiteral("Etreville-AC");
    names[3] = QStringLiteral("100% %1 Club");
    const SeasonBuilder season(names);
    ResultsBuilder results;
    for (int day = 1; day <= 37; ++day) {
        const QStringList codes = season.codes(day);
        for (int i = 0; i < codes.size(); ++i) {
            if (day == 37 && i > 0)
                break;
            const QString key = Season::fixtureKey(day, i);
            if (day == 30 && i == 4)
                continue; // postponed
            if (day == 12 && i == 2) {
                results.result(key, codes[i][0], QStringLiteral("2"), QString(), codes[i][1]);
                continue;
            }
            results.result(key, codes[i][0], QString::number((day * 7 + i * 3) % 4), QString::number((day * 5 + i) % 3),
                           codes[i][1], (day + i) % 7 == 0, (day + i) % 3, (day * i) % 4, (day + 2 * i) % 9 == 0);
        }
    }
    results.bonusMalus(QLatin1Char('E'), QStringLiteral("2.5"))
        .stamp(QStringLiteral("05 déc. 20:00"))
        .news(QStringLiteral("<script>alert('x')</script> & <i>merci</i>"));
    return {season.seasonFile(), results.bytes()};
}

// One program folder, its site built in memory, and the command line's own
// printers run on it.
class Site
{
public:
    Site(const QByteArray &seasonFile, const QByteArray &store)
    {
        m_dir.write(QStringLiteral("2013.txt"), seasonFile);
        m_dir.write(QStringLiteral("Resultats2013.ini"), store);
        QString errors;
        QTextStream err(&errors);
        int status = 0;
        m_folder = SeasonFolder::open(m_dir.path(), QDateTime(QDate(2030, 1, 1), QTime(12, 0)), err, status);
        for (const site::File &file : build())
            files[file.path] = file.bytes;
    }

    site::Files build() const
    {
        const site::PdfMaker pdf = [](const DisplayedStandings &shown, const QDateTime &made) {
            return "%PDF-" + shown.rows[0].data.name.toUtf8() + made.toString(Qt::ISODate).toUtf8();
        };
        return site::build(m_folder->season(), m_folder->store(), m_folder->bonusMalus(), pdf);
    }

    // What one of the command line's printers writes, line by line.
    QStringList printed(const std::function<int(SeasonFolder &, QTextStream &, QTextStream &)> &printer) const
    {
        QString out;
        QString err;
        QTextStream o(&out);
        QTextStream e(&err);
        EXPECT_EQ(printer(*m_folder, o, e), 0) << err.toStdString();
        o.flush();
        return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    const Season &season() const { return m_folder->season(); }
    QMap<QString, QByteArray> files;

private:
    TestFolder m_dir;
    std::unique_ptr<SeasonFolder> m_folder;
};

// The text of every cell of the body rows of the table `id`.
QList<QStringList> tableRows(const QByteArray &page, const QString &id)
{
    QXmlStreamReader xml(page);
    QList<QStringList> rows;
    bool inTable = false;
    bool inBody = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"table" && xml.attributes().value(QLatin1String("id")) == id)
            inTable = true;
        else if (xml.isEndElement() && xml.name() == u"table")
            inTable = false;
        if (!inTable)
            continue;
        if (xml.name() == u"tbody")
            inBody = xml.isStartElement();
        else if (inBody && xml.isStartElement() && xml.name() == u"tr")
            rows.append(QStringList());
        else if (inBody && xml.isStartElement() && (xml.name() == u"td" || xml.name() == u"th"))
            rows.last() << xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return rows;
}

QStringList fields(const QString &line)
{
    return line.split(QLatin1Char('|'));
}

class SitePages : public ::testing::TestWithParam<bool>
{
protected:
    static std::unique_ptr<Site> make(bool hostile)
    {
        if (!hostile)
            return std::make_unique<Site>(sample(QStringLiteral("2013.txt")),
                                          sample(QStringLiteral("Resultats2013.ini")));
        const auto [season, store] = hostileSeason();
        return std::make_unique<Site>(season, store);
    }
    void SetUp() override { site = make(GetParam()); }
    std::unique_ptr<Site> site;
};

} // namespace

TEST(SiteSlug, NamesPagesAsTheLeagueSpellsThem)
{
    struct Row
    {
        QString name;
        QString slug;
    };
    const Row rows[] = {
        {QStringLiteral("Étréville AC"), QStringLiteral("etreville-ac")},
        {QStringLiteral("  JS Câtelbourg  "), QStringLiteral("js-catelbourg")},
        {QStringLiteral("Union Quézenay--(B)"), QStringLiteral("union-quezenay-b")},
        {QStringLiteral("Œuvre Ærø Straße"), QStringLiteral("oeuvre-aero-strasse")},
        {Hostile, QStringLiteral("b-rives-b-lac")},
        {QStringLiteral("???"), QStringLiteral("equipe")},
    };
    for (const Row &row : rows)
        EXPECT_EQ(siteslug::of(row.name), row.slug) << row.name.toStdString();

    // Names giving one slug are numbered in season order, past a name that
    // already ends like a number.
    QStringList names = SeasonBuilder::defaultNames();
    names[3] = QStringLiteral("AS Nîmes");
    names[5] = QStringLiteral("as-nimes-2");
    names[7] = QStringLiteral("AS  Nimes");
    names[9] = QStringLiteral("as nîmes");
    const Season season = Season::fromBytes(SeasonBuilder(names).seasonFile());
    const std::array<QString, TeamCount> slugs = siteslug::ofTeams(season);
    EXPECT_EQ(slugs[3], QStringLiteral("as-nimes"));
    EXPECT_EQ(slugs[5], QStringLiteral("as-nimes-2"));
    EXPECT_EQ(slugs[7], QStringLiteral("as-nimes-3"));
    EXPECT_EQ(slugs[9], QStringLiteral("as-nimes-4"));
}

TEST_P(SitePages, ShowWhatTheCommandLinePrints)
{
    const Site &s = *site;
    // The general table: each row's figures as --print-standings gives them.
    const QStringList standings =
        s.printed([](SeasonFolder &f, QTextStream &o, QTextStream &e) { return printStandings(f, {}, false, o, e); });
    const QList<QStringList> table = tableRows(s.files[QStringLiteral("index.html")], QStringLiteral("classement"));
    ASSERT_EQ(table.size(), TeamCount);
    for (int i = 0; i < TeamCount; ++i) {
        const QStringList cli = fields(standings[i]);
        const QStringList page = table[i];
        EXPECT_EQ(QStringList({page[2], page[3], page[4], page[5], page[6], page[7], page[8]}),
                  QStringList({cli[1], cli[2], cli[3], cli[4], cli[5], cli[7], cli[6]}))
            << "row " << i;
    }
    // Every match day, fixture by fixture, and its totals.
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QStringList printed = s.printed([day](SeasonFolder &f, QTextStream &o, QTextStream &e) {
            return printMatchDay(f, QDateTime(), QString::number(day), o, e);
        });
        const QByteArray page = s.files[QStringLiteral("journee-%1.html").arg(day, 2, 10, QLatin1Char('0'))];
        const QList<QStringList> rows = tableRows(page, QStringLiteral("matches"));
        ASSERT_EQ(rows.size(), printed.size() - 4) << "day " << day;
        for (int i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows[i], fields(printed[i + 1])) << "day " << day;
        for (int i = 1; i <= 3; ++i)
            EXPECT_TRUE(QString::fromUtf8(page).contains(printed[printed.size() - i].toHtmlEscaped()));
    }
    // The exact outlook.
    const QStringList outlook =
        s.printed([](SeasonFolder &f, QTextStream &o, QTextStream &e) { return printOutlook(f, {}, o, e); });
    const QList<QStringList> ranges =
        tableRows(s.files[QStringLiteral("perspectives.html")], QStringLiteral("perspectives"));
    ASSERT_EQ(ranges.size(), TeamCount);
    for (int i = 0; i < TeamCount; ++i) {
        const QStringList cli = fields(outlook[i]);
        EXPECT_EQ(ranges[i], QStringList({cli[1], cli[0], cli[2], cli[3], cli.mid(4).join(QStringLiteral(", "))}));
    }
    // The statistics: home, away, the two halves, the matrix and the runs.
    const QByteArray statistics = s.files[QStringLiteral("statistiques.html")];
    using statisticsprinter::printTable;
    const std::pair<QString, std::function<int(SeasonFolder &, QTextStream &, QTextStream &)>> tables[] = {
        {QStringLiteral("domicile"),
         [](auto &f, auto &o, auto &e) { return printTable(f, {}, {}, true, false, o, e); }},
        {QStringLiteral("exterieur"),
         [](auto &f, auto &o, auto &e) { return printTable(f, {}, {}, false, true, o, e); }},
        {QStringLiteral("aller"),
         [](auto &f, auto &o, auto &e) { return printTable(f, "1", "19", false, false, o, e); }},
        {QStringLiteral("retour"),
         [](auto &f, auto &o, auto &e) { return printTable(f, "20", "38", false, false, o, e); }},
        {QStringLiteral("series"),
         [](auto &f, auto &o, auto &e) { return statisticsprinter::printStreaks(f, {}, o, e); }},
    };
    for (const auto &[id, printer] : tables) {
        const QStringList printed = s.printed(printer);
        const QList<QStringList> rows = tableRows(statistics, id);
        ASSERT_EQ(rows.size(), printed.size()) << id.toStdString();
        for (int i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows[i], fields(printed[i])) << id.toStdString();
    }
    const QStringList matrix = s.printed(
        [](SeasonFolder &f, QTextStream &o, QTextStream &e) { return statisticsprinter::printMatrix(f, {}, o, e); });
    const QList<QStringList> cells = tableRows(statistics, QStringLiteral("matrice"));
    ASSERT_EQ(cells.size(), TeamCount);
    for (int i = 0; i < TeamCount; ++i)
        EXPECT_EQ(cells[i], fields(matrix[i + 1]));
    // Each team's season as its card prints it (the date aside, written out in full).
    for (TeamNo team = 0; team < TeamCount; ++team) {
        const QString name = s.season().teamName(team);
        const QStringList card = s.printed([&name](SeasonFolder &f, QTextStream &o, QTextStream &e) {
            return printTeamCard(f, name, QDateTime(), o, e);
        });
        const QJsonArray teams =
            QJsonDocument::fromJson(s.files[QStringLiteral("donnees/saison.json")]).object()[u"equipes"].toArray();
        const QByteArray page = s.files[teams[team].toObject()[u"page"].toString()];
        const QList<QStringList> rows = tableRows(page, QStringLiteral("calendrier"));
        ASSERT_EQ(rows.size(), MatchDayCount);
        for (int i = 0; i < MatchDayCount; ++i) {
            const QStringList cli = fields(card[i]);
            EXPECT_EQ(QStringList({rows[i][0], rows[i][2], rows[i][3], rows[i][4], rows[i][5]}),
                      QStringList({QString::number(cli[0].toInt()), cli[2], cli[3], cli[4], cli[5]}));
        }
        for (const QString &line : card.mid(MatchDayCount))
            EXPECT_TRUE(QString::fromUtf8(page).contains(line.toHtmlEscaped())) << line.toStdString();
    }
    // The feed: its keys exactly, the table and the outlook in table order.
    const QJsonObject feed = QJsonDocument::fromJson(s.files[QStringLiteral("donnees/saison.json")]).object();
    EXPECT_EQ(feed.keys(),
              QStringList({"classement", "equipes", "journees", "matches", "miseAJour", "perspectives", "saison"}));
    EXPECT_EQ(feed[u"matches"].toArray().size(), FixtureCount);
    for (int i = 0; i < TeamCount; ++i) {
        const QJsonObject row = feed[u"classement"].toArray()[i].toObject();
        EXPECT_EQ(row[u"nom"].toString(), fields(standings[i])[1]);
        EXPECT_EQ(QString::number(row[u"points"].toDouble()).replace(u'.', u','), fields(standings[i])[2]);
        const QJsonObject range = feed[u"perspectives"].toArray()[i].toObject();
        EXPECT_EQ(range[u"nom"].toString(), fields(outlook[i])[0]);
        EXPECT_EQ(range[u"meilleur"].toInt(), fields(outlook[i])[2].toInt());
        EXPECT_EQ(range[u"pire"].toInt(), fields(outlook[i])[3].toInt());
    }
}

TEST_P(SitePages, KeepTheRulesOfEveryPageAndComeOutTheSameTwice)
{
    for (auto it = site->files.cbegin(); it != site->files.cend(); ++it) {
        if (!it.key().endsWith(QLatin1String(".html")))
            continue;
        const std::string page = it.key().toStdString();
        const QString text = QString::fromUtf8(it.value());
        EXPECT_LT(it.value().size(), 60 * 1024) << page;
        EXPECT_TRUE(text.contains(QLatin1String("<html lang=\"fr\">"))) << page;
        EXPECT_TRUE(text.contains(QLatin1String("content=\"width=device-width, initial-scale=1\""))) << page;
        EXPECT_FALSE(text.contains(QLatin1String("<script"), Qt::CaseInsensitive)) << page;
        QXmlStreamReader xml(it.value());
        int level = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            // Links lead to a file of the site, never outside it.
            for (const char *attribute : {"href", "src"}) {
                const QString target = xml.attributes().value(QLatin1String(attribute)).toString();
                if (!target.isEmpty()) {
                    EXPECT_TRUE(site->files.contains(target.section(u'#', 0, 0)))
                        << page << " → " << target.toStdString();
                }
            }
            static const QRegularExpression heading(QStringLiteral("^h([1-6])$"));
            if (const QRegularExpressionMatch m = heading.match(name); m.hasMatch()) {
                const int next = m.captured(1).toInt();
                EXPECT_LE(next, level + 1) << page << ": h" << next << " after h" << level;
                level = next;
            }
            if (name == u"th") {
                EXPECT_FALSE(xml.attributes().value(QLatin1String("scope")).isEmpty()) << page;
            }
            if (name == u"svg") {
                EXPECT_EQ(xml.attributes().value(QLatin1String("role")).toString(), QStringLiteral("img")) << page;
                while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::StartElement) {}
                EXPECT_EQ(xml.name().toString(), QStringLiteral("title")) << page;
            }
        }
        EXPECT_FALSE(xml.hasError()) << page << ": " << xml.errorString().toStdString();
    }
    // Nothing in the files depends on the moment they are made.
    for (const site::File &file : site->build())
        EXPECT_EQ(file.bytes, site->files.value(file.path)) << file.path.toStdString();
}

TEST(SiteEscaping, ShowsEveryTextOfTheSeasonAsItIs)
{
    const auto [seasonFile, store] = hostileSeason();
    const Site s(seasonFile, store);
    const QString escaped = Hostile.toHtmlEscaped();
    for (auto it = s.files.cbegin(); it != s.files.cend(); ++it) {
        const QString text = QString::fromUtf8(it.value());
        if (it.key().endsWith(QLatin1String(".html"))) {
            EXPECT_FALSE(text.contains(Hostile)) << it.key().toStdString();
            EXPECT_FALSE(text.contains(QLatin1String("<script>"))) << it.key().toStdString();
        }
    }
    EXPECT_TRUE(QString::fromUtf8(s.files[QStringLiteral("index.html")]).contains(escaped));
    EXPECT_TRUE(
        QString::fromUtf8(s.files[QStringLiteral("index.html")])
            .contains(QStringLiteral("&lt;script&gt;alert('x')&lt;/script&gt; &amp; &lt;i&gt;merci&lt;/i&gt;")));
    // Two names for one page name, and a name holding "%1", each on its own page.
    EXPECT_TRUE(s.files.contains(QStringLiteral("equipe-etreville-ac.html")));
    EXPECT_TRUE(s.files.contains(QStringLiteral("equipe-etreville-ac-2.html")));
    EXPECT_TRUE(QString::fromUtf8(s.files[QStringLiteral("equipe-100-1-club.html")])
                    .contains(QStringLiteral("<h1>100% %1 Club</h1>")));

    const QJsonObject feed = QJsonDocument::fromJson(s.files[QStringLiteral("donnees/saison.json")]).object();
    EXPECT_EQ(feed[u"equipes"].toArray()[0].toObject()[u"nom"].toString(), Hostile);
    EXPECT_EQ(feed[u"equipes"].toArray()[0].toObject()[u"page"].toString(),
              QStringLiteral("equipe-b-rives-b-lac.html"));
    EXPECT_EQ(feed[u"miseAJour"].toString(), QStringLiteral("05 déc. 20:00"));
    // The fractional adjustment stays a number; a postponed match has no score.
    bool half = false;
    for (const QJsonValue row : feed[u"classement"].toArray())
        half = half || row.toObject()[u"points"].toDouble() != std::floor(row.toObject()[u"points"].toDouble());
    EXPECT_TRUE(half);
    EXPECT_TRUE(
        QString::fromUtf8(s.files[QStringLiteral("donnees/saison.json")]).contains(QStringLiteral(".5, \"joues\"")));
    ASSERT_EQ(feed[u"matches"].toArray().size(), FixtureCount);
    const QJsonObject postponed = feed[u"matches"].toArray()[29 * FixturesPerMatchDay + 4].toObject();
    EXPECT_TRUE(postponed[u"butsDomicile"].isNull() && postponed[u"butsExterieur"].isNull());
    const QJsonObject oneSided = feed[u"matches"].toArray()[11 * FixturesPerMatchDay + 2].toObject();
    EXPECT_EQ(oneSided[u"butsDomicile"].toInt(), 2);
    EXPECT_TRUE(oneSided[u"butsExterieur"].isNull());

    const QString calendar = QString::fromUtf8(s.files[QStringLiteral("equipe-b-rives-b-lac.ics")]);
    EXPECT_TRUE(calendar.contains(Hostile));
    // The stamp of the store, read in the season's year, never the clock.
    EXPECT_TRUE(calendar.contains(QStringLiteral("DTSTAMP:20131205T200000Z")));
    EXPECT_TRUE(QString::fromUtf8(s.files[QStringLiteral("classement.csv")])
                    .contains(QStringLiteral("\"<b>Rives</b> & \"\"Lac\"\"\"")));
}

INSTANTIATE_TEST_SUITE_P(BundledAndHostile, SitePages, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? std::string("HostileSeason") : std::string("BundledSeason");
                         });
