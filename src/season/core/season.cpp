#include "season/core/season.h"

#include "season/core/safefile.h"
#include "season/core/textutil.h"

#include <QFileInfo>

#include <cmath>

namespace {

// The season file is written on Windows; accept any line ending anyway.
QStringList splitLines(const QString &text)
{
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normalised.split(QLatin1Char('\n'));
}

QString field(const QStringList &fields, int index)
{
    return index < fields.size() ? fields.at(index) : QString();
}

// A number field of the season file: its leading number, halves going to
// the even neighbour, the season file's rule for its number fields.
int roundedNumber(const QString &text)
{
    const double value = std::nearbyint(text::leadingNumber(text));
    if (!(value > -1e6 && value < 1e6))
        return -1;
    return static_cast<int>(value);
}

QDate parseDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed, QStringLiteral("dd/MM/yyyy"));
    if (!date.isValid())
        date = QDate::fromString(trimmed, QStringLiteral("d/M/yyyy"));
    return date;
}

} // namespace

Season Season::fromBytes(const QByteArray &bytes)
{
    Season season;
    // An editor's byte-order mark must not hide the first line (an EQU line
    // lost shifts every team letter).
    const QString text = text::decodeFileText(bytes);

    int teamPos = 0;
    bool havePreviousDay = false;
    QString previousDay;
    int matchIndex = 0;

    const QStringList lines = splitLines(text);
    for (const QString &line : lines) {
        const QStringView kind = QStringView(line).left(3);
        if (kind != u"EQU" && kind != u"JOU" && kind != u"CAL")
            continue;
        const QStringList fields = line.split(QLatin1Char('|'));

        if (kind == u"EQU") {
            if (teamPos >= TeamCount)
                continue;
            season.m_teams[teamPos++] = field(fields, 1);
            season.m_teamCount = teamPos;
        } else if (kind == u"JOU") {
            const int day = roundedNumber(field(fields, 1));
            if (day < 1 || day > MatchDayCount)
                continue;
            // An unreadable date leaves whatever the day already had.
            const QDate date = parseDate(field(fields, 2));
            if (date.isValid())
                season.m_dates[day] = date;
        } else {
            if (season.m_fixtureCount >= FixtureCount)
                continue;
            const QString dayText = field(fields, 1);
            const QString code = field(fields, 2);
            const int day = roundedNumber(dayText);
            if (day >= 1 && day <= MatchDayCount)
                season.m_codes[day].append(code);

            const int fixtureNo = ++season.m_fixtureCount;
            // The match index runs while the match-day text repeats exactly,
            // so "01" after "1" starts a new run: the stored keys depend on it.
            matchIndex = (havePreviousDay && dayText == previousDay) ? matchIndex + 1 : 0;
            season.m_calendar[fixtureNo] = QString::asprintf("%02d|%02d|", day, matchIndex) + code;
            previousDay = dayText;
            havePreviousDay = true;
        }
    }
    // The first line names the season unless it is already one of the tables.
    if (!lines.isEmpty() && !lines.first().startsWith(QLatin1String("EQU"))
        && !lines.first().startsWith(QLatin1String("JOU")) && !lines.first().startsWith(QLatin1String("CAL")))
        season.m_title = lines.first().trimmed();
    return season;
}

std::optional<Season> Season::load(const QString &path, QString *problem)
{
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [problem](const QString &why) -> std::optional<Season> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    const safefile::Read file = safefile::read(path, MaxFileBytes);
    if (file.status == safefile::ReadStatus::Missing)
        return refuse(QStringLiteral("Absence du fichier %1").arg(name));
    if (!file.ok())
        return refuse(
            QStringLiteral("Impossible de lire %1 : %2.").arg(name, safefile::reason(file.status, MaxFileBytes)));
    Season season = fromBytes(file.bytes);
    // Every view counts on teams and fixtures: a file without them is
    // refused like a missing one rather than shown as a nameless table.
    if (season.teamCount() == 0)
        return refuse(QStringLiteral("%1 ne contient aucune équipe").arg(name));
    if (season.fixtureCount() == 0)
        return refuse(QStringLiteral("%1 ne contient aucun match").arg(name));
    return season;
}

QString Season::teamName(TeamNo team) const
{
    if (team < 0 || team >= TeamCount)
        return {};
    return m_teams[team];
}

TeamNo Season::teamNoOfName(const QString &name) const
{
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (team < m_teamCount && m_teams[team] == name)
            return team;
    }
    return NoTeam;
}

QDate Season::matchDayDate(MatchDayNo day) const
{
    if (day < 1 || day > MatchDayCount)
        return {};
    return m_dates[day];
}

QString Season::calendarEntry(int fixtureNo) const
{
    if (fixtureNo < 1 || fixtureNo > FixtureCount)
        return {};
    return m_calendar[fixtureNo];
}

QStringList Season::fixtureCodes(MatchDayNo day) const
{
    if (day < 1 || day > MatchDayCount)
        return {};
    return m_codes[day];
}

QString Season::fixtureKey(MatchDayNo day, int matchIndex)
{
    return QString::asprintf("%02d%02d", day, matchIndex);
}

QString Season::fixtureKey(int fixtureNo) const
{
    const QString entry = calendarEntry(fixtureNo);
    if (entry.isEmpty())
        return {};
    // The entry is "dd|ii|code": the key drops the separators and the code.
    const QStringList parts = entry.split(QLatin1Char('|'));
    return parts.value(0) + parts.value(1);
}

int Season::dueMatchDays(const QDateTime &now, int previous) const
{
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QDate date = matchDayDate(day);
        if (date.isValid() && now < QDateTime(date, QTime(0, 0)))
            return day - 1;
    }
    return previous;
}
