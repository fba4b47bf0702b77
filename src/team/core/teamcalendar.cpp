#include "team/core/teamcalendar.h"

#include "season/core/seasonfolder.h"
#include "season/core/textutil.h"
#include "standings/core/exportfile.h"
#include "team/core/teamprinters.h"

#include <QTextStream>

#include <algorithm>

namespace teamcalendar {

namespace {

constexpr int MaxLineOctets = 75;

namespace texts {
const QString CalendarName = QStringLiteral("Kestrane 1 2013 - 2014 : %1");
const QString Description = QStringLiteral("Kestrane 1 2013 - 2014, Journée %1");
} // namespace texts

bool isUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

QString summaryOf(const Match &match)
{
    if (!match.played)
        return match.home + QStringLiteral(" - ") + match.away;
    return QStringLiteral("%1 %2 - %3 %4").arg(match.home).arg(match.homeGoals).arg(match.awayGoals).arg(match.away);
}

// A fixture code as the UID carries it: letters and digits as they are,
// anything else (a control character, a blank, ";") as %XX of its UTF-8
// bytes, so the UID stays one plain word that is the same at every export.
QString uidPart(const QString &code)
{
    QString out;
    for (const char byte : code.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            out += QLatin1Char(char(c));
        else
            out += QStringLiteral("%%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

} // namespace

bool holdsScore(const QString &goals)
{
    const QString trimmed = goals.trimmed();
    return !trimmed.isEmpty() && trimmed != QLatin1String("-");
}

QList<Match> matchesOf(const Season &season, const ResultStore &store, TeamNo team)
{
    QList<Match> matches;
    if (team < 0 || team >= TeamCount)
        return matches;
    const QChar letter = Season::teamLetter(team);
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QStringList codes = season.fixtureCodes(day);
        for (int index = 0; index < codes.size(); ++index) {
            const QString &code = codes[index];
            if (code.size() < 2 || (code[0] != letter && code[1] != letter))
                continue;
            Match match;
            match.day = day;
            match.key = Season::fixtureKey(day, index);
            match.code = code.left(2);
            match.home = season.teamNameOfLetter(code[0]);
            match.away = season.teamNameOfLetter(code[1]);
            match.date = season.matchDayDate(day);
            // The grids read the stored goals by position, home first; so
            // does the calendar.
            const MatchRecord record = store.match(match.key);
            if (!record.isEmpty() && holdsScore(record[MatchRecord::HomeGoals])
                && holdsScore(record[MatchRecord::AwayGoals])) {
                match.played = true;
                match.homeGoals = text::leadingCount(record[MatchRecord::HomeGoals]);
                match.awayGoals = text::leadingCount(record[MatchRecord::AwayGoals]);
            }
            matches.append(match);
        }
    }
    return matches;
}

TeamNo findTeam(const Season &season, const QString &name)
{
    const TeamNo exact = season.teamNoOfName(name);
    if (exact != NoTeam)
        return exact;
    TeamNo found = NoTeam;
    for (TeamNo team = 0; team < season.teamCount() && team < TeamCount; ++team) {
        if (season.teamName(team).compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            if (found != NoTeam)
                return NoTeam;
            found = team;
        }
    }
    return found;
}

QString escapedText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(',')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r')) {
            out += QStringLiteral("\\n");
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) {
            // Control characters are not allowed in a text value.
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray foldedLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    QByteArray out;
    qsizetype start = 0;
    bool first = true;
    while (true) {
        // A continuation line starts with a blank, which counts in its 75
        // octets; a cut never falls inside a multi-byte character.
        const qsizetype room = first ? MaxLineOctets : MaxLineOctets - 1;
        qsizetype end = std::min(start + room, bytes.size());
        while (end < bytes.size() && end > start && isUtf8Continuation(bytes[end]))
            --end;
        if (!first)
            out += ' ';
        out += bytes.mid(start, end - start);
        out += "\r\n";
        if (end >= bytes.size())
            break;
        start = end;
        first = false;
    }
    return out;
}

QByteArray toICalendar(const Season &season, const ResultStore &store, TeamNo team, const QDateTime &stamp)
{
    const QString DateFormat = QStringLiteral("yyyyMMdd");
    const QString dtStamp = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QByteArray out;
    const auto line = [&out](const QString &text) { out += foldedLine(text); };

    line(QStringLiteral("BEGIN:VCALENDAR"));
    line(QStringLiteral("VERSION:2.0"));
    line(QStringLiteral("PRODID:-//Kestrane//Kestrane 1//FR"));
    line(QStringLiteral("CALSCALE:GREGORIAN"));
    line(QStringLiteral("METHOD:PUBLISH"));
    line(QStringLiteral("X-WR-CALNAME:") + escapedText(texts::CalendarName.arg(season.teamName(team))));
    for (const Match &match : matchesOf(season, store, team)) {
        if (!match.date.isValid())
            continue;
        line(QStringLiteral("BEGIN:VEVENT"));
        // The fixture's key and letters name the match for good: a later
        // export updates the event instead of adding a second one.
        line(QStringLiteral("UID:kestrane1-2013-%1-%2@kestrane").arg(match.key, uidPart(match.code)));
        line(QStringLiteral("DTSTAMP:") + dtStamp);
        line(QStringLiteral("DTSTART;VALUE=DATE:") + match.date.toString(DateFormat));
        line(QStringLiteral("DTEND;VALUE=DATE:") + match.date.addDays(1).toString(DateFormat));
        line(QStringLiteral("SUMMARY:") + escapedText(summaryOf(match)));
        line(QStringLiteral("DESCRIPTION:") + escapedText(texts::Description.arg(match.day)));
        line(QStringLiteral("TRANSP:TRANSPARENT"));
        line(QStringLiteral("END:VEVENT"));
    }
    line(QStringLiteral("END:VCALENDAR"));
    return out;
}

int exportCommand(const SeasonFolder &folder, const QString &team, const QString &path, const QDateTime &now,
                  QTextStream &err)
{
    const TeamNo found = findTeam(folder.season(), team);
    if (found == NoTeam) {
        err << unknownTeamText(team) << '\n';
        return 2;
    }
    if (exportfile::isProgramFile(path, folder.path())) {
        err << exportfile::programFileRefused(path) << '\n';
        return 2;
    }
    QString error;
    if (!exportfile::write(path, toICalendar(folder.season(), folder.store(), found, now), error)) {
        err << error << '\n';
        return 2;
    }
    return 0;
}

} // namespace teamcalendar
