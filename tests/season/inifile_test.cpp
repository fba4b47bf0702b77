#include "season/core/inifile.h"

#include "specialfiles.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <thread>

#include <sys/resource.h>

namespace {

QString read(const QByteArray &bytes, const char *section, const char *key, const QString &def = {})
{
    return IniFile::readFrom(bytes, QString::fromLatin1(section), QString::fromLatin1(key), def);
}

QByteArray written(const QByteArray &bytes, const char *section, const char *key, const QString &value,
                   bool *changed = nullptr)
{
    return IniFile::writeTo(bytes, QString::fromLatin1(section), QString::fromLatin1(key), value, changed);
}

} // namespace

// Reading ---------------------------------------------------------------------

TEST(IniRead, NamesCompareWithoutCaseAndBlanks)
{
    const QByteArray bytes = "  [ Resultats ]  \r\n\t0100 =  A|0|1|2|1|3|1|B  \r\n[Maj]\r\nMaj=06 d\xE9"
                             "c. 20:00\r\n";
    EXPECT_EQ(read(bytes, "resultats", "0100"), QStringLiteral("A|0|1|2|1|3|1|B"));
    EXPECT_EQ(read(bytes, "RESULTATS", " 0100 "), QStringLiteral("A|0|1|2|1|3|1|B"));
    EXPECT_EQ(read(bytes, "  Resultats\t", "0100"), QStringLiteral("A|0|1|2|1|3|1|B"));
    EXPECT_EQ(read(bytes, "MAJ", "maj"), QStringLiteral("06 déc. 20:00"));
}

TEST(IniRead, MissingFileSectionOrKeyGivesTheDefault)
{
    const QByteArray bytes = "[Resultats]\r\n0100=x\r\n";
    EXPECT_EQ(read(QByteArray(), "Resultats", "0100", QStringLiteral("|||||||")), QStringLiteral("|||||||"));
    EXPECT_EQ(read(bytes, "Autre", "0100", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(read(bytes, "Resultats", "0101", QStringLiteral("|||||||")), QStringLiteral("|||||||"));
    EXPECT_EQ(read(bytes, "Resultats", "0101"), QString());
    EXPECT_EQ(read(bytes, "", "0100", QStringLiteral("d")), QStringLiteral("d"));
}

TEST(IniRead, EmptyValueIsEmptyNotTheDefault)
{
    EXPECT_EQ(read("[S]\r\nk=\r\n", "S", "k", QStringLiteral("d")), QString());
    EXPECT_EQ(read("[S]\r\nk=   \r\n", "S", "k", QStringLiteral("d")), QString());
}

TEST(IniRead, OnlyTheFirstSectionAndTheFirstKeyCount)
{
    const QByteArray bytes = "[S]\r\na=1\r\na=2\r\n[T]\r\nt=3\r\n[s]\r\na=4\r\nb=5\r\n";
    EXPECT_EQ(read(bytes, "S", "a"), QStringLiteral("1"));
    EXPECT_EQ(read(bytes, "S", "b", QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_EQ(read(bytes, "T", "t"), QStringLiteral("3"));
}

TEST(IniRead, ValueKeepsLaterEqualsAndBars)
{
    EXPECT_EQ(read("[S]\r\nk==a=b|c|\r\n", "S", "k"), QStringLiteral("=a=b|c|"));
    EXPECT_EQ(read("[S]\r\nk ; x=1\r\n", "S", "k ; x"), QStringLiteral("1"));
    EXPECT_EQ(read("[S]\r\nk=1 ; not a comment\r\n", "S", "k"), QStringLiteral("1 ; not a comment"));
}

TEST(IniRead, OneMatchingPairOfQuotesIsRemoved)
{
    const QByteArray bytes = "[S]\r\na=\"x y\"\r\nb='z'\r\nc=\"mixed'\r\nd=\"\r\ne=\"\"\r\nf=\"\"q\"\"\r\ng=a\"b\"\r\n";
    EXPECT_EQ(read(bytes, "S", "a"), QStringLiteral("x y"));
    EXPECT_EQ(read(bytes, "S", "b"), QStringLiteral("z"));
    EXPECT_EQ(read(bytes, "S", "c"), QStringLiteral("\"mixed'"));
    EXPECT_EQ(read(bytes, "S", "d"), QStringLiteral("\""));
    EXPECT_EQ(read(bytes, "S", "e"), QString());
    EXPECT_EQ(read(bytes, "S", "f"), QStringLiteral("\"q\""));
    EXPECT_EQ(read(bytes, "S", "g"), QStringLiteral("a\"b\""));
}

TEST(IniRead, CommentsAndStrayLinesAreNotKeys)
{
    const QByteArray bytes = "top=0\r\n[S]\r\n;k=commented\r\njust text\r\n=nameless\r\n[broken\r\nk=1\r\n";
    EXPECT_EQ(read(bytes, "S", ";k", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(read(bytes, "S", "k"), QStringLiteral("1")); // "[broken" does not open a section
    EXPECT_EQ(read(bytes, "S", "", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(read(bytes, "", "top", QStringLiteral("d")), QStringLiteral("d"));
}

TEST(IniRead, TextAfterTheLastBracketOfAHeaderIsIgnored)
{
    const QByteArray bytes = "[Re]sultats] trailing\r\nk=1\r\n[Maj] ; note\r\nMaj=2\r\n";
    EXPECT_EQ(read(bytes, "Re]sultats", "k"), QStringLiteral("1"));
    EXPECT_EQ(read(bytes, "Maj", "Maj"), QStringLiteral("2"));
}

TEST(IniRead, LongValuesAreCutTo1023Characters)
{
    const QString value(1100, QLatin1Char('x'));
    const QByteArray bytes = "[S]\r\nk=" + value.toLatin1() + "\r\n";
    EXPECT_EQ(read(bytes, "S", "k"), value.left(1023));
    EXPECT_EQ(read(bytes, "S", "none", value).size(), IniFile::MaxValueLength);
}

TEST(IniRead, AnyLineEndingReadsAlike)
{
    for (const char *eol : {"\r\n", "\n", "\r"}) {
        const QByteArray bytes = QByteArray("[S]") + eol + "a=1" + eol + eol + "b=2" + eol + "[T]" + eol + "c=3";
        EXPECT_EQ(read(bytes, "S", "a"), QStringLiteral("1")) << eol;
        EXPECT_EQ(read(bytes, "S", "b"), QStringLiteral("2")) << eol;
        EXPECT_EQ(read(bytes, "T", "c"), QStringLiteral("3")) << eol;
    }
    // A lone CR followed by CR LF: two lines, the first one empty.
    EXPECT_EQ(read("[S]\r\r\na=1\n\rb=2", "S", "b"), QStringLiteral("2"));
}

TEST(IniRead, TextIsWindows1252)
{
    EXPECT_EQ(read("[Texte]\r\nTexte=\xC9t\xE9 \x80 \x9C\r\n", "Texte", "Texte"), QStringLiteral("Été € œ"));
    const QByteArray accented = "[\xC9quipe]\r\nk=1\r\n";
    EXPECT_EQ(IniFile::readFrom(accented, QStringLiteral("ÉQUIPE"), QStringLiteral("K")), QStringLiteral("1"));
    // Only ASCII letters fold: "é" and "É" are different names.
    EXPECT_EQ(IniFile::readFrom(accented, QStringLiteral("équipe"), QStringLiteral("k"), QStringLiteral("d")),
              QStringLiteral("d"));
}

// Writing bytes ---------------------------------------------------------------

TEST(IniWriteTo, ReplacesOnlyTheValueOfTheKeyLine)
{
    const QByteArray before = "; en-tete\r\n[Resultats]\r\n  0100 = A|1|1|1|1|1|1|B  \r\n0101=x\n[Maj]\rMaj=1\r\n";
    bool changed = false;
    const QByteArray after = written(before, "RESULTATS", "0100", QStringLiteral("A|0|0|2|0|0|0|B"), &changed);
    EXPECT_TRUE(changed);
    EXPECT_EQ(after, "; en-tete\r\n[Resultats]\r\n0100=A|0|0|2|0|0|0|B\r\n0101=x\n[Maj]\rMaj=1\r\n");
}

TEST(IniWriteTo, KeepsTheFilesSpellingOfTheKey)
{
    EXPECT_EQ(written("[Maj]\r\nMaJ = 1\r\n", "maj", "MAJ", QStringLiteral("2")), "[Maj]\r\nMaJ=2\r\n");
}

TEST(IniWriteTo, KeepsTheLineBreakOfTheChangedLine)
{
    EXPECT_EQ(written("[S]\na=1\nb=2", "S", "b", QStringLiteral("3")), "[S]\na=1\nb=3");
    EXPECT_EQ(written("[S]\ra=1\rb=2\r", "S", "a", QStringLiteral("3")), "[S]\ra=3\rb=2\r");
}

TEST(IniWriteTo, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    const QByteArray before = "[A]\r\na=1\r\njunk\r\nb=2\r\n\r\n; about B\r\n[B]\r\nc=3\r\n";
    EXPECT_EQ(written(before, "a", "new", QStringLiteral("v")),
              "[A]\r\na=1\r\njunk\r\nb=2\r\nnew=v\r\n\r\n; about B\r\n[B]\r\nc=3\r\n");
    EXPECT_EQ(written("[A]\r\n\r\n[B]\r\n", "A", "k", QStringLiteral("v")), "[A]\r\nk=v\r\n\r\n[B]\r\n");
    EXPECT_EQ(written("[A]\r\na=1", "A", "k", QStringLiteral("v")), "[A]\r\na=1\r\nk=v\r\n");
    EXPECT_EQ(written("[A]", "A", "k", QStringLiteral("v")), "[A]\r\nk=v\r\n");
}

TEST(IniWriteTo, NewKeyGoesToTheFirstSectionOfItsName)
{
    const QByteArray before = "[S]\r\na=1\r\n[T]\r\n[S]\r\nb=old\r\n";
    const QByteArray after = written(before, "S", "b", QStringLiteral("new"));
    EXPECT_EQ(after, "[S]\r\na=1\r\nb=new\r\n[T]\r\n[S]\r\nb=old\r\n");
    EXPECT_EQ(read(after, "S", "b"), QStringLiteral("new"));
}

TEST(IniWriteTo, NewSectionIsAppendedWithoutABlankLine)
{
    EXPECT_EQ(written("[A]\r\na=1\r\n", "BonMal", "C", QStringLiteral("-2")), "[A]\r\na=1\r\n[BonMal]\r\nC=-2\r\n");
    EXPECT_EQ(written("[A]\r\na=1", "B", "b", QStringLiteral("2")), "[A]\r\na=1\r\n[B]\r\nb=2\r\n");
    EXPECT_EQ(written(QByteArray(), "Resultats", "0100", QStringLiteral("x")), "[Resultats]\r\n0100=x\r\n");
}

TEST(IniWriteTo, FilesWithOnlyLineFeedsGetLineFeeds)
{
    EXPECT_EQ(written("[A]\na=1\n", "A", "b", QStringLiteral("2")), "[A]\na=1\nb=2\n");
    EXPECT_EQ(written("[A]\na=1", "B", "b", QStringLiteral("2")), "[A]\na=1\n[B]\nb=2\n");
}

TEST(IniWriteTo, DropsLeadingBlanksOfTheValue)
{
    const QByteArray after = written(QByteArray(), "S", "k", QStringLiteral("  \t x y "));
    EXPECT_EQ(after, "[S]\r\nk=x y \r\n");
    EXPECT_EQ(read(after, "S", "k"), QStringLiteral("x y"));
}

TEST(IniWriteTo, LineBreaksInTheValueCannotSplitTheEntry)
{
    const QByteArray after = written("[S]\r\n", "S", "k", QStringLiteral("a\r\n[T]\nb=1"));
    EXPECT_EQ(read(after, "S", "k"), QStringLiteral("a  [T] b=1"));
    EXPECT_EQ(read(after, "T", "b", QStringLiteral("absent")), QStringLiteral("absent"));
}

TEST(IniWriteTo, SameValueLeavesTheBytesAlone)
{
    bool changed = true;
    const QByteArray before = "[S]\r\nk =  v \r\n";
    EXPECT_EQ(written(before, "s", "K", QStringLiteral("v"), &changed), before);
    EXPECT_FALSE(changed);
    // A quoted value differs from its unquoted text: it is rewritten.
    EXPECT_EQ(written("[S]\r\nk=\"v\"\r\n", "S", "k", QStringLiteral("v"), &changed), "[S]\r\nk=v\r\n");
    EXPECT_TRUE(changed);
}

TEST(IniWriteTo, RefusesNamesThatCannotBeStored)
{
    bool changed = true;
    const QByteArray before = "[S]\r\nk=1\r\n";
    EXPECT_EQ(written(before, "", "k", QStringLiteral("v"), &changed), before);
    EXPECT_FALSE(changed);
    EXPECT_EQ(written(before, "S", " ", QStringLiteral("v"), &changed), before);
    EXPECT_EQ(written(before, "S", "a=b", QStringLiteral("v"), &changed), before);
    EXPECT_FALSE(changed);
}

TEST(IniWriteTo, Windows1252RoundTrip)
{
    const QString text = QStringLiteral("Été en août : 5 € œuvre");
    const QByteArray after = written(QByteArray(), "Texte", "Texte", text);
    EXPECT_EQ(after, "[Texte]\r\nTexte=\xC9t\xE9 en ao\xFBt : 5 \x80 \x9Cuvre\r\n");
    EXPECT_EQ(read(after, "texte", "texte"), text);
}

TEST(IniWriteTo, SeveralKeysInOnePassGiveTheBytesOfOneAtATime)
{
    using Entries = QList<IniFile::Entry>;
    const struct
    {
        QByteArray file;
        Entries entries;
    } cases[] = {
        // New keys after the last key of their section, in the order asked;
        // a key asked twice takes its last value; new sections at the end.
        {"[A]\r\na=1\r\n; note\r\n\r\n[B]\r\nb=2\r\n",
         Entries{{"A", "x", "1"}, {"C", "c", "3"}, {"a", "A", "9"}, {"A", "y", "2"}, {"C", "d", "4"}, {"A", "x", "5"}}},
        // Only the first section and the first key of a name; the line that
        // is the last one without a line break.
        {"[S]\r\nk=1\r\nk=2\r\n[T]\r\n[S]\r\nk=3", Entries{{"S", "k", "4"}, {"S", "n", "5"}, {"T", "t", "6"}}},
        {"[A]", Entries{{"A", "k", "v"}, {"B", "k", "v"}}},
        {"[A]\na=1", Entries{{"A", "b", "2"}, {"B", "b", "2"}}},
        {"\xEF\xBB\xBF[Texte]\r\nTexte=\xC3\xA9t\xC3\xA9\r\n",
         Entries{{"Texte", "Texte", "août"}, {"Maj", "Maj", "5 €"}}},
        // Values already stored, and names that cannot be stored, change nothing.
        {"[S]\r\nk =  v \r\n", Entries{{"s", "K", "v"}, {"", "k", "x"}, {"S", "a=b", "x"}}},
        {QByteArray(), Entries{{"Resultats", "0100", "x"}, {"Maj", "Maj", "y"}, {"Resultats", "0101", " z\r\n"}}},
    };
    for (const auto &c : cases) {
        QByteArray oneAtATime = c.file;
        for (const IniFile::Entry &entry : c.entries)
            oneAtATime = IniFile::writeTo(oneAtATime, entry.section, entry.key, entry.value);
        bool changed = false;
        EXPECT_EQ(IniFile::writeTo(c.file, c.entries, &changed), oneAtATime) << c.file.toStdString();
        EXPECT_EQ(changed, oneAtATime != c.file);
    }
}

TEST(IniEntries, EveryReachableEntryInFileOrderAsTheFileSpellsIt)
{
    const QByteArray file = "lost=1\r\n[Resultats]\r\n0100 = \"A|1\" \r\n0100=again\r\n[bonmal]\r\nC=-2\r\n"
                            "[RESULTATS]\r\n0101=hidden\r\n[Texte]\r\nTexte=\xC9t\xE9\r\n";
    const QList<IniFile::Entry> entries = IniFile::entriesFrom(file);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].section, QStringLiteral("Resultats"));
    EXPECT_EQ(entries[0].key, QStringLiteral("0100"));
    EXPECT_EQ(entries[0].value, QStringLiteral("A|1"));
    EXPECT_EQ(entries[1].section, QStringLiteral("bonmal"));
    EXPECT_EQ(entries[1].value, QStringLiteral("-2"));
    EXPECT_EQ(entries[2].value, QStringLiteral("Été"));
    for (const IniFile::Entry &entry : entries)
        EXPECT_EQ(IniFile::readFrom(file, entry.section, entry.key), entry.value);
    // A section without keys is still a section.
    TestFolder folder;
    folder.write("s.ini", "[Vide]\r\n");
    EXPECT_TRUE(IniFile(folder.file("s.ini")).hasSection("vide"));
}

// The file on disk ------------------------------------------------------------

TEST(IniFile, MissingFileReadsDefaultsAndFirstWriteCreatesIt)
{
    TestFolder folder;
    IniFile ini(folder.file("Resultats2013.ini"));
    EXPECT_EQ(ini.read("Resultats", "0100", "|||||||"), QStringLiteral("|||||||"));
    EXPECT_FALSE(ini.hasSection("Resultats"));

    EXPECT_TRUE(ini.write("Resultats", "0100", "A|0|1|2|1|3|1|B"));
    EXPECT_EQ(folder.read("Resultats2013.ini"), "[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n");
    EXPECT_EQ(ini.read("resultats", "0100"), QStringLiteral("A|0|1|2|1|3|1|B"));
    EXPECT_TRUE(ini.hasSection("RESULTATS"));
    EXPECT_FALSE(QFileInfo::exists(folder.file("Resultats2013.ini.lock")));
}

TEST(IniFile, WriteKeepsEveryOtherLineByteForByte)
{
    TestFolder folder;
    const QByteArray before = "; fichier\r\n[Resultats]\r\n0100 = A|0|1|2|1|3|1|B\r\n  0101=C|0|0|0|0|0|0|D\n"
                              "\r\n[BonMal]\r\nC=-2\r\n[Texte]\r\nTexte='Bonne saison'";
    folder.write("r.ini", before);
    IniFile ini(folder.file("r.ini"));
    EXPECT_TRUE(ini.write("resultats", "0101", "C|0|0|1|0|0|0|D"));
    QByteArray expected = before;
    expected.replace("  0101=C|0|0|0|0|0|0|D\n", "0101=C|0|0|1|0|0|0|D\n");
    EXPECT_EQ(folder.read("r.ini"), expected);

    EXPECT_TRUE(ini.write("Maj", "Maj", "06 déc. 20:00"));
    EXPECT_EQ(folder.read("r.ini"), expected
                                        + "\r\n[Maj]\r\nMaj=06 d\xE9"
                                          "c. 20:00\r\n");
    EXPECT_EQ(ini.read("texte", "texte"), QStringLiteral("Bonne saison"));
}

TEST(IniFile, WritingTheStoredValueDoesNotTouchTheFile)
{
    TestFolder folder;
    folder.write("r.ini", "[Maj]\r\nMaj = 06 d\xE9"
                          "c. 20:00 \r\n");
    const QString path = folder.file("r.ini");
    const QDateTime past = QDateTime::currentDateTime().addDays(-3);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
    }
    const QFileInfo before(path);

    IniFile ini(path);
    EXPECT_TRUE(ini.write("MAJ", "maj", "06 déc. 20:00"));
    const QFileInfo after(path);
    EXPECT_EQ(after.lastModified(), before.lastModified());
    EXPECT_EQ(after.fileTime(QFileDevice::FileMetadataChangeTime),
              before.fileTime(QFileDevice::FileMetadataChangeTime));
    EXPECT_EQ(folder.read("r.ini"), "[Maj]\r\nMaj = 06 d\xE9"
                                    "c. 20:00 \r\n");
}

TEST(IniFile, FailedWriteLeavesTheStoreAsItWas)
{
    TestFolder folder;
    const QByteArray before = "[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n";
    folder.write("r.ini", before);

    // Another writer holds the lock for longer than this one waits.
    IniFile ini(folder.file("r.ini"));
    FileLock holder(ini.lockPath());
    ASSERT_TRUE(holder.tryLock());
    ini.setLockTimeout(std::chrono::milliseconds(20));
    EXPECT_FALSE(ini.write("Resultats", "0100", "x"));
    EXPECT_FALSE(ini.replaceContents("[Resultats]\r\n"));
    EXPECT_EQ(folder.read("r.ini"), before);
    EXPECT_EQ(ini.read("Resultats", "0100"), QStringLiteral("A|0|1|2|1|3|1|B"));
    holder.unlock();
    EXPECT_TRUE(ini.write("Resultats", "0101", "y"));

    // A store in a folder that does not exist cannot be written.
    IniFile nowhere(folder.file("absent/r.ini"));
    EXPECT_FALSE(nowhere.write("S", "k", "v"));
    EXPECT_FALSE(QFileInfo::exists(folder.file("absent")));

    // A folder where the store should be is neither read nor replaced.
    ASSERT_TRUE(QDir(folder.path()).mkdir("dir.ini"));
    IniFile directory(folder.file("dir.ini"));
    EXPECT_EQ(directory.read("S", "k", "d"), QStringLiteral("d"));
    EXPECT_FALSE(directory.write("S", "k", "v"));
    EXPECT_TRUE(QFileInfo(folder.file("dir.ini")).isDir());

    // Nor is a FIFO, even by the change made under the lock: its read
    // answers at once instead of waiting for a writer that never comes.
    const specialfiles::WatchedFifo fifo(folder.file("tube.ini"));
    ASSERT_TRUE(fifo.made());
    IniFile tube(folder.file("tube.ini"));
    {
        IniFile::Locked locked(tube);
        ASSERT_TRUE(locked.isLocked());
        EXPECT_FALSE(locked.read());
        EXPECT_FALSE(locked.replaceContents("[S]\r\n"));
    }
    EXPECT_FALSE(tube.write("S", "k", "v"));
    EXPECT_EQ(fifo.readers(), 0);
    EXPECT_FALSE(QFileInfo(folder.file("tube.ini")).isFile());
}

namespace {

// Runs `write` with files limited to `bytes` (a limit that binds even root),
// the signal of an overlong write ignored so that the write sees an error.
template <typename Write>
bool underFileSizeLimit(rlim_t bytes, Write write)
{
    rlimit saved{};
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0) {
        ADD_FAILURE() << "getrlimit";
        return true;
    }
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &small) != 0) {
        std::signal(SIGXFSZ, previousHandler);
        ADD_FAILURE() << "setrlimit";
        return true;
    }
    const bool ok = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    return ok;
}

} // namespace

TEST(IniFile, WriteThatFailsHalfwayKeepsTheOldFile)
{
    TestFolder folder;
    const QByteArray before = "[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n";
    folder.write("r.ini", before);
    IniFile ini(folder.file("r.ini"));

    // The file size limit binds even root: the new contents cannot be
    // written in full, so the write must fail without harming the store.
    const bool ok =
        underFileSizeLimit(4096, [&] { return ini.write("Texte", "Texte", QString(20000, QLatin1Char('n'))); });

    EXPECT_FALSE(ok);
    EXPECT_EQ(folder.read("r.ini"), before);
    EXPECT_EQ(ini.read("Texte", "Texte", "none"), QStringLiteral("none"));
    // No temporary file or lock is left behind, and the next write goes through.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList({"r.ini"}));
    EXPECT_TRUE(ini.write("Texte", "Texte", QString(20000, QLatin1Char('n'))));
    EXPECT_EQ(ini.read("Texte", "Texte"), QString(IniFile::MaxValueLength, QLatin1Char('n')));
    EXPECT_EQ(ini.read("Resultats", "0100"), QStringLiteral("A|0|1|2|1|3|1|B"));
}

TEST(IniFile, ReplacingTheContentsIsSeenAtTheNextRead)
{
    TestFolder folder;
    folder.write("r.ini", "[Maj]\r\nMaj=1\r\n");
    IniFile ini(folder.file("r.ini"));
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("1"));
    ASSERT_TRUE(ini.replaceContents("[Maj]\r\nMaj=2\r\n[Texte]\r\nTexte=Nouvelles\r\n"));
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("2"));
    EXPECT_EQ(ini.read("Texte", "Texte"), QStringLiteral("Nouvelles"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList({"r.ini"}));

    // A folder in the way: nothing is replaced and the caller is told.
    IniFile directory(folder.path());
    EXPECT_FALSE(directory.replaceContents("[Maj]\r\nMaj=3\r\n"));
}

TEST(IniFile, SeveralKeysAreWrittenTogetherOrNotAtAll)
{
    TestFolder folder;
    folder.write("r.ini", "[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n");
    IniFile ini(folder.file("r.ini"));
    ASSERT_TRUE(ini.write(
        {{"Maj", "Maj", "05 déc. 20:00"}, {"Resultats", "0101", "C|||1|0|||D"}, {"Resultats", "0100", "A|||3|3|||B"}}));
    EXPECT_EQ(ini.read("Resultats", "0100"), QStringLiteral("A|||3|3|||B"));
    EXPECT_EQ(ini.read("Resultats", "0101"), QStringLiteral("C|||1|0|||D"));
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("05 déc. 20:00"));

    // One entry that cannot be stored: nothing of the batch is written.
    const QByteArray before = folder.read("r.ini");
    EXPECT_FALSE(ini.write({{"Resultats", "0102", "E|||1|1|||F"}, {"Resultats", "", "x"}}));
    EXPECT_EQ(folder.read("r.ini"), before);
}

TEST(IniFile, WhileLockedNobodyElseWritesAndTheHolderReplacesWhatItRead)
{
    TestFolder folder;
    folder.write("r.ini", "[Maj]\r\nMaj=1\r\n");
    IniFile ini(folder.file("r.ini"));
    IniFile other(folder.file("r.ini"));
    other.setLockTimeout(std::chrono::milliseconds(50));
    {
        IniFile::Locked locked(ini);
        ASSERT_TRUE(locked.isLocked());
        EXPECT_EQ(locked.read(), QByteArray("[Maj]\r\nMaj=1\r\n"));
        EXPECT_FALSE(other.write("Maj", "Maj", "2"));
        EXPECT_FALSE(other.replaceContents("[Maj]\r\nMaj=3\r\n"));
        EXPECT_TRUE(locked.replaceContents("[Maj]\r\nMaj=4\r\n"));
    }
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("4"));
    EXPECT_TRUE(other.write("Maj", "Maj", "5"));
    EXPECT_EQ(IniFile::Locked(ini).read(), QByteArray("[Maj]\r\nMaj=5\r\n"));
    EXPECT_EQ(IniFile::Locked(*std::make_unique<IniFile>(folder.file("absent.ini"))).read(), QByteArray());
}

TEST(IniFile, WriteCutShortBySizeLimitOfASmallStoreKeepsTheOldFile)
{
    // A store smaller than the save file's buffer: the data only reaches the
    // disk when it is flushed, and a flush that fails must fail the write.
    TestFolder folder;
    const QByteArray before = "[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n";
    folder.write("r.ini", before);
    IniFile ini(folder.file("r.ini"));
    const bool ok =
        underFileSizeLimit(512, [&] { return ini.write("Texte", "Texte", QString(2000, QLatin1Char('n'))); });

    EXPECT_FALSE(ok);
    EXPECT_EQ(folder.read("r.ini"), before);
}

TEST(IniFile, SeesAFileReplacedWithTheSameSize)
{
    TestFolder folder;
    folder.write("r.ini", "[Maj]\r\nMaj=1\r\n");
    IniFile ini(folder.file("r.ini"));
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("1"));

    folder.write("download.tmp", "[Maj]\r\nMaj=2\r\n");
    ASSERT_EQ(std::rename(QFile::encodeName(folder.file("download.tmp")).constData(),
                          QFile::encodeName(folder.file("r.ini")).constData()),
              0);
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("2"));

    // Rewritten in place with another size.
    folder.write("r.ini", "[Maj]\r\nMaj=333\r\n");
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("333"));

    // Removed: back to defaults; created again: read again.
    ASSERT_TRUE(QFile::remove(folder.file("r.ini")));
    EXPECT_EQ(ini.read("Maj", "Maj", "none"), QStringLiteral("none"));
    folder.write("r.ini", "[Maj]\r\nMaj=4\r\n");
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("4"));
}

TEST(IniFile, WithoutCachingEveryReadParsesTheFile)
{
    TestFolder folder;
    folder.write("r.ini", "[Maj]\r\nMaj=1\r\n");
    IniFile ini(folder.file("r.ini"));
    ini.setCaching(false);
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("1"));
    folder.write("r.ini", "[Maj]\r\nMaj=2\r\n");
    EXPECT_EQ(ini.read("Maj", "Maj"), QStringLiteral("2"));
}

TEST(IniFile, TwoInstancesWritingInTurnLoseNothing)
{
    TestFolder folder;
    IniFile first(folder.file("r.ini"));
    IniFile second(folder.file("r.ini"));
    EXPECT_TRUE(first.write("Resultats", "0100", "a"));
    EXPECT_EQ(second.read("Resultats", "0100"), QStringLiteral("a"));
    EXPECT_TRUE(second.write("Resultats", "0101", "b"));
    // The first instance's parse is out of date; its write must not undo the second's.
    EXPECT_TRUE(first.write("Resultats", "0102", "c"));
    EXPECT_TRUE(second.write("BonMal", "A", "-1"));
    EXPECT_TRUE(first.write("Resultats", "0100", "d"));

    for (IniFile *ini : {&first, &second}) {
        EXPECT_EQ(ini->read("Resultats", "0100"), QStringLiteral("d"));
        EXPECT_EQ(ini->read("Resultats", "0101"), QStringLiteral("b"));
        EXPECT_EQ(ini->read("Resultats", "0102"), QStringLiteral("c"));
        EXPECT_EQ(ini->read("BonMal", "A"), QStringLiteral("-1"));
    }
}

TEST(IniFile, ConcurrentWritersLoseNoEntry)
{
    TestFolder folder;
    const QString path = folder.file("r.ini");
    constexpr int KeysPerWriter = 40;
    const auto writer = [&path](int day, bool *allOk) {
        IniFile ini(path);
        *allOk = true;
        for (int i = 0; i < KeysPerWriter; ++i) {
            const QString key = QString::asprintf("%02d%02d", day, i);
            if (!ini.write("Resultats", key, "A|0|0|" + QString::number(i) + "|0|0|0|B"))
                *allOk = false;
        }
    };
    bool firstOk = false;
    bool secondOk = false;
    std::thread a(writer, 1, &firstOk);
    std::thread b(writer, 2, &secondOk);
    a.join();
    b.join();
    EXPECT_TRUE(firstOk);
    EXPECT_TRUE(secondOk);

    IniFile ini(path);
    for (int day : {1, 2}) {
        for (int i = 0; i < KeysPerWriter; ++i) {
            const QString key = QString::asprintf("%02d%02d", day, i);
            EXPECT_EQ(ini.read("Resultats", key), "A|0|0|" + QString::number(i) + "|0|0|0|B") << qPrintable(key);
        }
    }
}

// Byte-order mark ---------------------------------------------------------------

TEST(IniBom, AFileWithAByteOrderMarkIsUtf8AndKeepsItsMark)
{
    const QByteArray bytes = "\xEF\xBB\xBF[\xC3\x89quipe]\r\nk=\xC3\xA9t\xC3\xA9\r\n[S]\r\na=1\r\n";
    EXPECT_EQ(IniFile::readFrom(bytes, QStringLiteral("ÉQUIPE"), QStringLiteral("K")), QStringLiteral("été"));
    EXPECT_EQ(read(bytes, "s", "a"), QStringLiteral("1"));

    EXPECT_EQ(written(bytes, "S", "a", QStringLiteral("€")),
              "\xEF\xBB\xBF[\xC3\x89quipe]\r\nk=\xC3\xA9t\xC3\xA9\r\n[S]\r\na=\xE2\x82\xAC\r\n");
    EXPECT_EQ(written(bytes, "S", "b", QStringLiteral("œ")),
              "\xEF\xBB\xBF[\xC3\x89quipe]\r\nk=\xC3\xA9t\xC3\xA9\r\n[S]\r\na=1\r\nb=\xC5\x93\r\n");
    // The same value is recognised as already stored.
    bool changed = true;
    EXPECT_EQ(IniFile::writeTo(bytes, QStringLiteral("Équipe"), QStringLiteral("k"), QStringLiteral("été"), &changed),
              bytes);
    EXPECT_FALSE(changed);
    // A file that is only the mark takes its first section after it.
    EXPECT_EQ(written("\xEF\xBB\xBF", "T", "t", QStringLiteral("é")), "\xEF\xBB\xBF[T]\r\nt=\xC3\xA9\r\n");
}

TEST(IniBom, TheMarkBeforeTheFirstKeyLineIsSkippedToo)
{
    // Keys before any header stay unreachable; the header after them counts.
    EXPECT_EQ(read("\xEF\xBB\xBFk=1\r\n[S]\r\nk=2\r\n", "S", "k"), QStringLiteral("2"));
    // Without the mark's three bytes, the Windows-1252 reading of the same
    // letters stays what it was.
    EXPECT_EQ(read("\xEF\xBB[S]\r\nk=1\r\n", "S", "k", "d"), QStringLiteral("d"));
}

// The lock ---------------------------------------------------------------------

TEST(IniLock, LockFilesLeftAtTheStartDoNotBlockWrites)
{
    TestFolder folder;
    IniFile ini(folder.file("r.ini"));
    ini.setLockTimeout(std::chrono::milliseconds(0)); // no waiting at all
    // Empty: its creator was killed before it wrote its owner. Garbage: the
    // owner line of another locking scheme, naming a process long gone.
    for (const QByteArray &leftover : {QByteArray(), QByteArray("4242\nkestrane\nhote\n\x01\xFF")}) {
        folder.write("r.ini.lock", leftover);
        EXPECT_TRUE(ini.write("Resultats", "0100", QString::number(leftover.size())));
        EXPECT_EQ(ini.read("Resultats", "0100"), QString::number(leftover.size()));
        EXPECT_FALSE(QFileInfo::exists(folder.file("r.ini.lock")));
    }
    // A folder where the lock file goes carries the lock itself.
    ASSERT_TRUE(QDir(folder.path()).mkdir("r.ini.lock"));
    EXPECT_TRUE(ini.write("Resultats", "0100", "dir"));
    EXPECT_TRUE(ini.replaceContents("[Resultats]\r\n0100=replaced\r\n"));
    EXPECT_EQ(ini.read("Resultats", "0100"), QStringLiteral("replaced"));
    EXPECT_TRUE(QFileInfo(folder.file("r.ini.lock")).isDir());
}

TEST(IniLock, OneHolderAtATimeAndTheFileGoesWithTheLastOne)
{
    TestFolder folder;
    const QString path = folder.file("r.ini.lock");
    FileLock first(path);
    FileLock second(path);
    ASSERT_TRUE(first.tryLock(std::chrono::milliseconds(0)));
    EXPECT_TRUE(first.tryLock(std::chrono::milliseconds(0))); // already held
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(second.tryLock(std::chrono::milliseconds(0)));
    EXPECT_FALSE(second.tryLock(std::chrono::milliseconds(30)));
    first.unlock();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(second.tryLock(std::chrono::milliseconds(0)));
    EXPECT_FALSE(first.tryLock(std::chrono::milliseconds(0)));
    second.unlock();
    EXPECT_FALSE(QFileInfo::exists(path));

    // No folder to hold the lock file: no lock, and no wait for one.
    FileLock nowhere(folder.file("absent/r.ini.lock"));
    EXPECT_FALSE(nowhere.tryLock());
}
