// Match records and adjustments as the standings read them from the store:
// whatever the fields hold, the numbers stay in their bounds, the sums exact
// and the ranking key well formed.
//   input: up to ten records, one a line, then two adjustment lines
#include "season/core/matchrecord.h"
#include "season/core/resultstore.h"
#include "season/core/textutil.h"
#include "standings/core/standingsengine.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray seasonFile()
{
    QByteArray bytes;
    for (int team = 0; team < TeamCount; ++team)
        bytes += "EQU|Equipe " + QByteArray(1, char('A' + team)) + "\r\n";
    for (int day = 1; day <= MatchDayCount; ++day) {
        for (int index = 0; index < FixturesPerMatchDay; ++index) {
            const int home = (day + 2 * index) % TeamCount;
            const int away = (day + 2 * index + 1) % TeamCount;
            bytes += "CAL|" + QByteArray::number(day) + '|' + char('A' + home) + char('A' + away) + "\r\n";
        }
    }
    return bytes;
}

// The fuzzer runs one input after another in one process: one folder.
const QString &storePath()
{
    static QTemporaryDir folder(
        QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm/kestrane-fuzz-XXXXXX") : QString());
    static const QString path = folder.filePath(ResultStore::FileName);
    return path;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Season season = Season::fromBytes(seasonFile());
    const QStringList lines =
        text::decodeFileText(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)))
            .split(QLatin1Char('\n'));

    QByteArray store = "[Resultats]\r\n";
    for (int i = 0; i < lines.size() && i < 10; ++i) {
        const MatchRecord record = MatchRecord::fromText(lines[i]);
        check(MatchRecord::fromText(record.toText()).fields == record.fields);
        for (const QString &field : record.fields) {
            check(text::leadingCount(field) >= 0 && text::leadingCount(field) <= text::NumberLimit);
            check(text::leadingInt(field) >= -text::NumberLimit && text::leadingInt(field) <= text::NumberLimit);
        }
        // Spread over the season so that the same teams meet more than once.
        store += Season::fixtureKey(1 + 4 * i, i % FixturesPerMatchDay).toLatin1() + '=' + lines[i].toUtf8() + "\r\n";
    }
    store += "[BonMal]\r\n";
    for (int i = 10; i < lines.size() && i < 12; ++i)
        store += QByteArray(1, char('A' + i - 10)) + '=' + lines[i].toUtf8() + "\r\n";
    {
        QFile file(storePath());
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\xEF\xBB\xBF" + store);
    }

    const ResultStore results(storePath().section(QLatin1Char('/'), 0, -2));
    BonusMalus bonus{};
    results.loadBonusMalus(bonus);
    for (float value : bonus)
        check(value >= -text::NumberLimit && value <= text::NumberLimit);

    const Standings standings = computeStandings(season, results, bonus);
    // Ten records, each of which may name one team on both sides.
    constexpr int most = 2 * 10 * text::NumberLimit;
    for (const StandingRow &row : standings.rows) {
        check(row.goalsFor >= 0 && row.goalsFor <= most && row.goalsAgainst >= 0 && row.goalsAgainst <= most);
        check(row.goalDifference == row.goalsFor - row.goalsAgainst);
        check(row.homeGoalsFor + row.awayGoalsFor == row.goalsFor);
        check(row.fairPlayPoints >= 0 && row.fairPlayPoints <= 4 * most);
        check(row.played >= 0 && row.played <= 20);
        const QString key = row.keyText();
        check(!key.startsWith(QLatin1String("--")) && key.size() <= 14);
        check(row.fields().size() == 19);
    }
    check(standings.totalGoals >= 0 && standings.totalGoals <= most);
    return 0;
}
