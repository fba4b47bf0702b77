#include "season/core/matchrecord.h"

#include <QStringList>

MatchRecord MatchRecord::fromText(const QString &text)
{
    MatchRecord record;
    const QStringList parts = text.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < qsizetype(record.fields.size()) && i < parts.size(); ++i)
        record.fields[i] = parts.at(i);
    return record;
}

QString MatchRecord::toText() const
{
    QString text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('|');
        text += fields[i];
    }
    return text;
}

bool MatchRecord::namesLeagueTeams(QStringView homeLetter, QStringView awayLetter)
{
    return teamOfLetterField(homeLetter) != NoTeam && teamOfLetterField(awayLetter) != NoTeam;
}

TeamNo MatchRecord::teamOfLetterField(QStringView field)
{
    if (field.isEmpty())
        return NoTeam;
    const TeamNo team = Season::teamNoOfLetter(field.at(0));
    return team >= 0 && team < TeamCount ? team : NoTeam;
}
