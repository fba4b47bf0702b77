// The season file: any bytes load, every table stays within its size, and
// every accessor answers for every index.
#include "season/core/season.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Season season = Season::fromBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (season.teamCount() < 0 || season.teamCount() > TeamCount || season.fixtureCount() < 0
        || season.fixtureCount() > FixtureCount)
        std::abort();

    for (TeamNo team = -1; team <= TeamCount; ++team) {
        const QString name = season.teamName(team);
        if (team >= 0 && team < season.teamCount() && season.teamNoOfName(name) > team)
            std::abort(); // the first team of a name is found
        (void)season.teamLetterOfName(name);
    }
    for (MatchDayNo day = -1; day <= MatchDayCount + 1; ++day) {
        (void)season.matchDayDate(day);
        const QStringList codes = season.fixtureCodes(day);
        for (int index = 0; index < codes.size(); ++index)
            (void)Season::fixtureKey(day, index);
    }
    for (int fixture = -1; fixture <= FixtureCount + 1; ++fixture) {
        const QString entry = season.calendarEntry(fixture);
        if (fixture >= 1 && fixture <= season.fixtureCount() && entry.isEmpty())
            std::abort(); // every CAL line read has its entry
        (void)season.fixtureKey(fixture);
    }
    return 0;
}
