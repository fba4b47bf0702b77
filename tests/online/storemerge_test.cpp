#include "online/core/storemerge.h"

#include "season/core/inifile.h"
#include "seasonbuilder.h"

#include <gtest/gtest.h>

namespace {

using storemerge::Side;

QString resultIn(const QByteArray &store, const QString &key)
{
    return IniFile::readFrom(store, QStringLiteral("Resultats"), key, QStringLiteral("|||||||"));
}

// A base store of two results; each case changes it on either side.
class StoreMergeTest : public ::testing::Test
{
protected:
    ResultsBuilder base() const
    {
        return ResultsBuilder()
            .raw(QStringLiteral("0100"), QStringLiteral("T|0|1|2|1|0|0|A"))
            .raw(QStringLiteral("0101"), QStringLiteral("B|0|0|0|0|0|0|S"))
            .bonusMalus(QLatin1Char('C'), QStringLiteral("-2"))
            .stamp(QStringLiteral("05 déc. 20:00"))
            .news(QStringLiteral("Bonne saison"))
            .version(QStringLiteral("1.3"));
    }

    SeasonBuilder builder;
    Season season = Season::fromBytes(builder.seasonFile());
};

} // namespace

TEST_F(StoreMergeTest, AKeyChangedOnOneSideIsTakenFromThatSide)
{
    const struct
    {
        const char *name;
        ResultsBuilder mine;
        ResultsBuilder theirs;
        const char *key;
        QString expected;
        int fromOthers;
    } cases[] = {
        {"added by me", base().raw("0102", "C|0|0|3|0|0|0|R"), base(), "0102", "C|0|0|3|0|0|0|R", 0},
        {"added by them", base(), base().raw("0102", "C|0|0|3|0|0|0|R"), "0102", "C|0|0|3|0|0|0|R", 1},
        {"corrected by me", base().raw("0100", "T|0|1|2|2|0|0|A"), base(), "0100", "T|0|1|2|2|0|0|A", 0},
        {"corrected by them", base(), base().raw("0100", "T|0|1|2|2|0|0|A"), "0100", "T|0|1|2|2|0|0|A", 1},
        // A result is removed with "-" in both scores.
        {"removed by me", base().raw("0101", "B|0|0|-|-|0|0|S"), base(), "0101", "B|0|0|-|-|0|0|S", 0},
        {"removed by them", base(), base().raw("0101", "B|0|0|-|-|0|0|S"), "0101", "B|0|0|-|-|0|0|S", 1},
        // The same result typed alike on both sides, spaces aside, is no conflict.
        {"same on both", base().raw("0102", "C|0|0| 3|0 |0|0|R"), base().raw("0102", "C|0|0|3|0|0|0|R"), "0102",
         "C|0|0|3|0|0|0|R", 0},
    };
    for (const auto &c : cases) {
        const storemerge::Result merged = storemerge::merge(base().bytes(), c.mine.bytes(), c.theirs.bytes());
        ASSERT_TRUE(merged.isComplete()) << c.name;
        EXPECT_TRUE(merged.conflicts.isEmpty()) << c.name;
        EXPECT_EQ(resultIn(merged.bytes, QString::fromLatin1(c.key)), c.expected) << c.name;
        EXPECT_EQ(merged.resultsFromOthers, c.fromOthers) << c.name;
        // Whatever was not touched stays.
        EXPECT_EQ(resultIn(merged.bytes, QStringLiteral("0100")).isEmpty(), false) << c.name;
    }
}

TEST_F(StoreMergeTest, AResultLostOnOneSideIsAConflictNotADeletion)
{
    const QByteArray withoutKey = base().bytes().replace("0101=B|0|0|0|0|0|0|S\r\n", "");
    const struct
    {
        const char *name;
        QByteArray mine;
        QByteArray theirs;
        const char *theirsText;
        const char *mineText;
    } cases[] = {
        {"key gone from the server", base().bytes(), withoutKey, "(absent)", "0-0"},
        {"emptied on the server", base().bytes(), base().raw("0101", "").bytes(), "(absent)", "0-0"},
        {"gone from the folder", withoutKey, base().bytes(), "0-0", "(absent)"},
        {"emptied in the folder", base().raw("0101", "|||||||").bytes(), base().bytes(), "0-0", "(absent)"},
    };
    for (const auto &c : cases) {
        storemerge::Result merged = storemerge::merge(base().bytes(), c.mine, c.theirs);
        ASSERT_EQ(merged.undecided.size(), 1) << c.name;
        EXPECT_TRUE(merged.bytes.isEmpty()) << c.name;
        const storemerge::ConflictText text = storemerge::describe(season, merged.undecided[0]);
        EXPECT_EQ(text.theirs, QString::fromUtf8(c.theirsText)) << c.name;
        EXPECT_EQ(text.mine, QString::fromUtf8(c.mineText)) << c.name;
        // Decided like any conflict: mine keeps the folder's side.
        merged = storemerge::merge(base().bytes(), c.mine, c.theirs, {Side::Mine, {}});
        ASSERT_TRUE(merged.isComplete()) << c.name;
        EXPECT_EQ(resultIn(merged.bytes, "0101"), resultIn(c.mine, "0101")) << c.name;
        merged = storemerge::merge(base().bytes(), c.mine, c.theirs, {Side::Theirs, {}});
        EXPECT_EQ(resultIn(merged.bytes, "0101"), resultIn(c.theirs, "0101")) << c.name;
    }

    // An adjustment left empty on one side and set on the other, with none
    // in the base, is taken from the side that set it.
    const QByteArray noAdjustment = base().bytes().replace("C=-2\r\n", "");
    const storemerge::Result adjusted =
        storemerge::merge(noAdjustment, base().bytes().replace("C=-2", "C="), base().bytes().replace("C=-2", "C=-3"));
    ASSERT_TRUE(adjusted.isComplete());
    EXPECT_TRUE(adjusted.conflicts.isEmpty());
    EXPECT_EQ(IniFile::readFrom(adjusted.bytes, "BonMal", "C"), QStringLiteral("-3"));
}

TEST_F(StoreMergeTest, BothVolunteersResultsEndUpInThePublishedLayout)
{
    // Mine adds a result and an adjustment, theirs adds another result and
    // keeps its own line endings and an extra section of the author's.
    const QByteArray mine = base().raw("0102", "C|0|0|3|0|0|0|R").bonusMalus(QLatin1Char('D'), "-1").bytes();
    QByteArray theirs = base().raw("0103", "D|0|0|1|1|0|0|Q").bytes();
    theirs.replace("\r\n", "\n");
    theirs += "[Auteur]\nNote=garder\n";
    const storemerge::Result merged = storemerge::merge(base().bytes(), mine, theirs);
    ASSERT_TRUE(merged.isComplete());
    EXPECT_EQ(resultIn(merged.bytes, "0102"), QStringLiteral("C|0|0|3|0|0|0|R"));
    EXPECT_EQ(resultIn(merged.bytes, "0103"), QStringLiteral("D|0|0|1|1|0|0|Q"));
    EXPECT_EQ(IniFile::readFrom(merged.bytes, "BonMal", "D"), QStringLiteral("-1"));
    EXPECT_EQ(IniFile::readFrom(merged.bytes, "Auteur", "Note"), QStringLiteral("garder"));
    EXPECT_FALSE(merged.bytes.contains('\r'));
    EXPECT_EQ(merged.resultsFromOthers, 1);
}

TEST_F(StoreMergeTest, StampNewsAndVersionComeFromTheSender)
{
    const QByteArray mine = base().stamp("06 déc. 21:00").news("Journee reportee").version("1.4").bytes();
    const QByteArray theirs = base().stamp("07 déc. 09:00").news("Autre nouvelle").version("1.5").bytes();
    const storemerge::Result merged = storemerge::merge(base().bytes(), mine, theirs);
    ASSERT_TRUE(merged.isComplete());
    EXPECT_TRUE(merged.conflicts.isEmpty());
    EXPECT_EQ(IniFile::readFrom(merged.bytes, "Maj", "Maj"), QStringLiteral("06 déc. 21:00"));
    EXPECT_EQ(IniFile::readFrom(merged.bytes, "Texte", "Texte"), QStringLiteral("Journee reportee"));
    EXPECT_EQ(IniFile::readFrom(merged.bytes, "CV", "CV"), QStringLiteral("1.4"));
    // A sender without news keeps the published one.
    ResultsBuilder silent = base();
    silent.news({});
    EXPECT_EQ(IniFile::readFrom(storemerge::merge(base().bytes(), silent.bytes(), theirs).bytes, "Texte", "Texte"),
              QStringLiteral("Autre nouvelle"));
}

TEST_F(StoreMergeTest, AKeyChangedDifferentlyOnBothSidesWaitsForADecision)
{
    const QByteArray mine = base().raw("0100", "T|0|1|3|1|0|0|A").bytes().replace("C=-2", "C=-3");
    const QByteArray theirs = base().raw("0100", "T|1|1|2|2|0|0|A").raw("0102", "C|0|0|1|0|0|0|R").bytes();
    // Base with C=-2, mine -3, theirs unchanged: no conflict on the adjustment.
    storemerge::Result merged = storemerge::merge(base().bytes(), mine, theirs);
    EXPECT_FALSE(merged.isComplete());
    EXPECT_TRUE(merged.bytes.isEmpty());
    ASSERT_EQ(merged.undecided.size(), 1);
    const storemerge::Conflict conflict = merged.undecided[0];
    const storemerge::ConflictText text = storemerge::describe(season, conflict);
    const QString code = builder.codes(1).at(0);
    EXPECT_EQ(
        text.what,
        QStringLiteral("J1 %1 - %2").arg(season.teamNameOfLetter(code.at(0)), season.teamNameOfLetter(code.at(1))));
    EXPECT_EQ(text.theirs, QStringLiteral("2-2, jaunes 1-0, rouges 1-0"));
    EXPECT_EQ(text.mine, QStringLiteral("3-1, jaunes 1-0, rouges 0-0"));

    const struct
    {
        storemerge::Choices choices;
        bool complete;
        QString expected;
    } cases[] = {
        {{Side::Mine, {}}, true, "T|0|1|3|1|0|0|A"},
        {{Side::Theirs, {}}, true, "T|1|1|2|2|0|0|A"},
        {{{}, {{conflict.id(), {Side::Mine, conflict.theirs}}}}, true, "T|0|1|3|1|0|0|A"},
        {{{}, {{conflict.id(), {Side::Theirs, conflict.theirs}}}}, true, "T|1|1|2|2|0|0|A"},
        // Chosen against a published value that has changed since: asked again.
        {{{}, {{conflict.id(), {Side::Mine, QStringLiteral("T|0|0|0|0|0|0|A")}}}}, false, {}},
    };
    for (const auto &c : cases) {
        merged = storemerge::merge(base().bytes(), mine, theirs, c.choices);
        EXPECT_EQ(merged.isComplete(), c.complete);
        EXPECT_EQ(merged.conflicts.size(), 1);
        if (!c.complete)
            continue;
        EXPECT_EQ(resultIn(merged.bytes, "0100"), c.expected);
        EXPECT_EQ(resultIn(merged.bytes, "0102"), QStringLiteral("C|0|0|1|0|0|0|R"));
        EXPECT_EQ(IniFile::readFrom(merged.bytes, "BonMal", "C"), QStringLiteral("-3"));
        EXPECT_EQ(merged.resultsFromOthers, c.expected == QStringLiteral("T|0|1|3|1|0|0|A") ? 1 : 2);
    }

    // An adjustment changed on both sides reads with the team's name.
    const storemerge::Result adjusted = storemerge::merge(base().bytes(), base().bytes().replace("C=-2", "C=-3"),
                                                          base().bytes().replace("C=-2", "C=0"));
    ASSERT_EQ(adjusted.undecided.size(), 1);
    const storemerge::ConflictText adjustment = storemerge::describe(season, adjusted.undecided[0]);
    EXPECT_EQ(adjustment.what, QStringLiteral("Ajustement de points : Charlie"));
    EXPECT_EQ(adjustment.theirs, QStringLiteral("0"));
    EXPECT_EQ(adjustment.mine, QStringLiteral("-3"));
}

TEST_F(StoreMergeTest, WithoutABaseOrAPublishedStore)
{
    // The first send of all: nothing published yet, mine goes as it is.
    const QByteArray mine = base().raw("0102", "C|0|0|3|0|0|0|R").bytes();
    storemerge::Result merged = storemerge::merge({}, mine, {});
    ASSERT_TRUE(merged.isComplete());
    EXPECT_EQ(merged.bytes, mine);

    // A folder that never published nor downloaded: what both hold alike
    // merges, what they hold otherwise is for the volunteer to decide.
    const QByteArray theirs = base().raw("0101", "B|0|0|1|0|0|0|S").raw("0103", "D|0|0|1|1|0|0|Q").bytes();
    merged = storemerge::merge({}, mine, theirs);
    ASSERT_EQ(merged.undecided.size(), 1);
    EXPECT_EQ(merged.undecided[0].key, QStringLiteral("0101"));
    merged = storemerge::merge({}, mine, theirs, {Side::Theirs, {}});
    EXPECT_EQ(resultIn(merged.bytes, "0101"), QStringLiteral("B|0|0|1|0|0|0|S"));
    EXPECT_EQ(resultIn(merged.bytes, "0102"), QStringLiteral("C|0|0|3|0|0|0|R"));
    EXPECT_EQ(resultIn(merged.bytes, "0103"), QStringLiteral("D|0|0|1|1|0|0|Q"));

    // The published store keeps its layout: its line ends and its order.
    QByteArray published = base().bytes();
    const qsizetype version = published.indexOf("[CV]");
    published = published.mid(version) + published.first(version);
    published.replace("\r\n", "\n");
    merged = storemerge::merge({}, mine, published);
    ASSERT_TRUE(merged.isComplete());
    EXPECT_TRUE(merged.bytes.startsWith("[CV]\nCV=1.3\n[Resultats]\n")) << merged.bytes.constData();
    EXPECT_FALSE(merged.bytes.contains('\r'));
    EXPECT_EQ(resultIn(merged.bytes, "0102"), QStringLiteral("C|0|0|3|0|0|0|R"));

    // A server that lost its store entirely deletes nothing.
    merged = storemerge::merge(base().bytes(), base().bytes(), {});
    EXPECT_EQ(merged.bytes, base().bytes());
}
