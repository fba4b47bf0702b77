#include "matchday/core/matchdayview.h"

#include "season/core/resultstore.h"
#include "season/core/textutil.h"

#include <cmath>

namespace matchday {

namespace {

constexpr MatchDayNo FirstReturnMatchDay = 20;
constexpr int DaysShownAfterDate = 4;

// Days from `now` to the start of `date`, with the fraction of the day, on the
// calendar rather than the stopwatch: a change of summer time does not make
// a match day half an hour nearer.
double daysUntil(const QDate &date, const QDateTime &now)
{
    constexpr double MsPerDay = 24.0 * 60 * 60 * 1000;
    return double(now.date().daysTo(date)) - now.time().msecsSinceStartOfDay() / MsPerDay;
}

// The part of a record's field the boxes show: trimmed, "-" (a score known
// not to be played) as nothing.
QString scoreBox(const QString &field)
{
    const QString trimmed = field.trimmed();
    return trimmed == QLatin1String("-") ? QString() : trimmed;
}

} // namespace

Header header(MatchDayNo day, const QDate &date, const QDateTime &now)
{
    Header result;
    const QString title = QStringLiteral("Journée N°") + QString::number(day) + QStringLiteral(": ");
    if (!date.isValid()) {
        result.text = title;
        result.colour = PastColour;
        return result;
    }
    const double delta = daysUntil(date, now);
    QString suffix;
    if (delta > 0) {
        // Halves go to the even neighbour: 0.5 day reads "Dans 0 jour".
        const double n = std::nearbyint(delta);
        suffix = QStringLiteral(" Dans ") + QString::number(qint64(n)) + QStringLiteral(" jour");
        if (n > 1)
            suffix += QLatin1Char('s');
        result.colour = ComingColour;
    } else {
        result.colour = PastColour;
    }
    if (std::floor(-delta) == 0) {
        suffix = QStringLiteral(" Aujourd'hui !");
        result.colour = TodayColour;
    }
    const QString dateText = text::capitalizeWords(text::frenchLocale().toString(date, QStringLiteral("dddd dd MMMM")));
    result.text = title + dateText + QStringLiteral(". ") + suffix;
    return result;
}

MatchDayNo currentMatchDay(const Season &season, const QDateTime &now)
{
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QDate date = season.matchDayDate(day);
        if (date.isValid() && now < QDateTime(date.addDays(DaysShownAfterDate), QTime(0, 0)))
            return day;
    }
    return MatchDayCount;
}

QString returnLegInfo(const Season &season, const ResultStore &store, MatchDayNo day, QChar homeLetter,
                      QChar awayLetter)
{
    const QString reversed = QString(awayLetter) + homeLetter;
    QString info;
    for (int fixture = 1; fixture <= season.fixtureCount(); ++fixture) {
        const QString entry = season.calendarEntry(fixture);
        // The fixture code, the entry past its second bar, read in place:
        // this runs for every fixture of the calendar, for every row.
        const qsizetype bar = entry.indexOf(QLatin1Char('|'), entry.indexOf(QLatin1Char('|')) + 1);
        if (bar < 0 || QStringView(entry).mid(bar + 1) != reversed)
            continue;
        if (day < FirstReturnMatchDay) {
            const QDate date = season.matchDayDate(entry.left(2).toInt());
            info =
                date.isValid() ? QStringLiteral("Retour le: ") + date.toString(QStringLiteral("dd MM yy")) : QString();
        } else {
            const MatchRecord first = store.match(entry.left(2) + entry.mid(3, 2));
            // Seen from the home side of the return leg, its own goals first;
            // the fields are shown as stored.
            info = QLatin1Char('(') + first[MatchRecord::AwayGoals] + QLatin1Char('-') + first[MatchRecord::HomeGoals]
                   + QLatin1Char(')');
            if (info == QLatin1String("(-)") || info == QLatin1String("(---)"))
                info.clear();
        }
    }
    return info;
}

QStringList dayTotalsText(int goals, int yellowCards, int redCards)
{
    // No blank after the last colon: the day's totals line keeps its fixed wording.
    return {QStringLiteral("Buts dans la journée: ") + QString::number(goals),
            QStringLiteral("Cartons Jaunes: ") + QString::number(yellowCards),
            QStringLiteral("Cartons Rouges:") + QString::number(redCards)};
}

MatchDayView build(const Season &season, const ResultStore &store, MatchDayNo day, const QDateTime &now,
                   const QString &favouriteTeam)
{
    MatchDayView view;
    if (day < 1 || day > MatchDayCount)
        return view;
    view.day = day;
    const Header head = header(day, season.matchDayDate(day), now);
    view.header = head.text;
    view.headerColour = head.colour;

    // One parse of the store for the whole day.
    const IniFile::Hold hold(store.ini());
    const QStringList codes = season.fixtureCodes(day);
    for (int i = 0; i < codes.size() && i < MatchDayCount; ++i) {
        const QString &code = codes[i];
        GridRow row;
        row.fixtureKey = Season::fixtureKey(day, i);
        row.homeLetter = code.size() > 0 ? code[0] : QChar();
        row.awayLetter = code.size() > 1 ? code[code.size() - 1] : QChar();
        row.homeName = season.teamNameOfLetter(row.homeLetter);
        row.awayName = season.teamNameOfLetter(row.awayLetter);
        const bool hasFavourite = !favouriteTeam.isEmpty();
        const auto back = [&](const QString &name) {
            return hasFavourite && name == favouriteTeam ? entry::colour::Favourite : entry::colour::White;
        };
        row.homeBack = back(row.homeName);
        row.awayBack = back(row.awayName);

        const MatchRecord record = store.match(row.fixtureKey);
        view.goals +=
            text::leadingCount(record[MatchRecord::HomeGoals]) + text::leadingCount(record[MatchRecord::AwayGoals]);
        row.homeGoals = scoreBox(record[MatchRecord::HomeGoals]);
        row.awayGoals = scoreBox(record[MatchRecord::AwayGoals]);
        row.cards.homeRed = entry::cutCardCount(record[MatchRecord::HomeRed].trimmed());
        row.cards.homeYellow = entry::cutCardCount(record[MatchRecord::HomeYellow].trimmed());
        row.cards.awayYellow = entry::cutCardCount(record[MatchRecord::AwayYellow].trimmed());
        row.cards.awayRed = entry::cutCardCount(record[MatchRecord::AwayRed].trimmed());
        // Cards of an unplayed match stay in the store but not on show.
        const bool played = !row.homeGoals.isEmpty() && !row.awayGoals.isEmpty();
        row.cardLayout = entry::restingCards(row.cards, played);
        view.yellowCards += text::leadingCount(row.cards.homeYellow) + text::leadingCount(row.cards.awayYellow);
        view.redCards += text::leadingCount(row.cards.homeRed) + text::leadingCount(row.cards.awayRed);

        // Names of a fixture with nothing stored stay black; anything stored,
        // even "-", colours them by the score as an edit would.
        const bool anyScoreStored =
            !record[MatchRecord::HomeGoals].trimmed().isEmpty() || !record[MatchRecord::AwayGoals].trimmed().isEmpty();
        if (anyScoreStored) {
            const entry::ScoreLook look = entry::scoreLook(row.homeGoals, row.awayGoals);
            row.homeLook = look.home;
            row.awayLook = look.away;
        }
        row.info = returnLegInfo(season, store, day, row.homeLetter, row.awayLetter);
        view.rows.append(row);
    }
    view.dayTotals = dayTotalsText(view.goals, view.yellowCards, view.redCards);
    return view;
}

} // namespace matchday
