#include "standings/core/resultsmatrix.h"

namespace resultsmatrix {

Matrix compute(const Season &season, const ResultStore &store, MatchDayNo upTo)
{
    Matrix matrix;
    matrix.upToMatchDay = upTo >= 1 && upTo <= MatchDayCount ? upTo : MatchDayCount;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        matrix.names[team] = season.teamName(team);
        matrix.cells[team][team].text = QStringLiteral("X");
    }

    // The calendar tells where a pair still to be played will meet; the
    // first fixture of a pair in the calendar is the one opened.
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        for (const QString &code : season.fixtureCodes(day)) {
            if (code.size() < 2)
                continue;
            // A fixture code names its teams by letter, as a record does.
            const TeamNo home = MatchRecord::teamOfLetterField(code);
            const TeamNo away = MatchRecord::teamOfLetterField(QStringView(code).sliced(1));
            if (home == NoTeam || away == NoTeam || home == away)
                continue;
            Cell &cell = matrix.cells[home][away];
            if (cell.matchDay == 0)
                cell.matchDay = day;
        }
    }

    // Calendar order: a later record of the same pair overwrites an earlier one.
    for (const PlayedMatch &match : playedMatches(store, 1, matrix.upToMatchDay)) {
        Cell &cell = matrix.cells[match.home][match.away];
        cell.played = true;
        cell.homeGoals = match.homeGoals;
        cell.awayGoals = match.awayGoals;
        cell.text = QString::number(match.homeGoals) + QLatin1Char('-') + QString::number(match.awayGoals);
        cell.matchDay = match.day;
    }
    return matrix;
}

QStringList lines(const Matrix &matrix)
{
    QStringList out;
    out.reserve(TeamCount + 1);
    QString header;
    for (const QString &name : matrix.names)
        header += QLatin1Char('|') + name;
    out << header;
    for (TeamNo home = 0; home < TeamCount; ++home) {
        QString line = matrix.names[home];
        for (const Cell &cell : matrix.cells[home])
            line += QLatin1Char('|') + cell.text;
        out << line;
    }
    return out;
}

} // namespace resultsmatrix
