#pragma once

#include "season/core/season.h"

#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QString>
#include <QStringEncoder>
#include <QStringList>

#include <utility>
#include <vector>

// Builds season files and results stores from a few lines of test code.
//
// SeasonBuilder writes a season file of 20 teams, 38 match days a week apart
// from 10/08/2013, and a standard double round robin: each pair of teams meets
// once on each ground, the return match 19 match days after the first one.
// Files are written as the program reads them: Windows-1252, CR LF.
class SeasonBuilder
{
public:
    // Twenty names whose initials are their team letters, A to T.
    static QStringList defaultNames()
    {
        return {
            QStringLiteral("Alpha"),  QStringLiteral("Bravo"),    QStringLiteral("Charlie"), QStringLiteral("Delta"),
            QStringLiteral("Echo"),   QStringLiteral("Foxtrot"),  QStringLiteral("Golf"),    QStringLiteral("Hotel"),
            QStringLiteral("India"),  QStringLiteral("Juliett"),  QStringLiteral("Kilo"),    QStringLiteral("Lima"),
            QStringLiteral("Mike"),   QStringLiteral("November"), QStringLiteral("Oscar"),   QStringLiteral("Papa"),
            QStringLiteral("Quebec"), QStringLiteral("Romeo"),    QStringLiteral("Sierra"),  QStringLiteral("Tango")};
    }

    explicit SeasonBuilder(QStringList names = defaultNames())
        : m_names(std::move(names))
    {
        // Circle method: team 19 stays put while the others turn round it.
        for (int round = 0; round < 19; ++round) {
            std::vector<std::pair<int, int>> day;
            const auto at = [round](int k) { return (k + round) % 19; };
            day.emplace_back(round % 2 == 0 ? 19 : at(0), round % 2 == 0 ? at(0) : 19);
            for (int k = 1; k <= 9; ++k)
                day.emplace_back(at(k), at(19 - k));
            m_days.push_back(day);
        }
        for (int round = 0; round < 19; ++round) {
            std::vector<std::pair<int, int>> day;
            for (const auto &[home, away] : m_days[round])
                day.emplace_back(away, home);
            m_days.push_back(day);
        }
    }

    const QStringList &names() const { return m_names; }

    // "AB" fixtures of match day 1..38, in calendar order.
    QStringList codes(int day) const
    {
        QStringList list;
        for (const auto &[home, away] : m_days[day - 1])
            list << QString(Season::teamLetter(home)) + Season::teamLetter(away);
        return list;
    }

    // Store key ("0100") of the fixture with `home` at home to `away`.
    QString keyOf(QChar home, QChar away) const
    {
        const QString code = QString(home) + away;
        for (int day = 1; day <= MatchDayCount; ++day) {
            const int index = int(codes(day).indexOf(code));
            if (index >= 0)
                return Season::fixtureKey(day, index);
        }
        return {};
    }

    int matchDayOf(QChar home, QChar away) const { return keyOf(home, away).left(2).toInt(); }

    QByteArray seasonFile() const
    {
        QString text = QStringLiteral("Saison de test\r\n");
        for (const QString &name : m_names)
            text += QStringLiteral("EQU|") + name + QStringLiteral("\r\n");
        const QDate first(2013, 8, 10);
        for (int day = 1; day <= MatchDayCount; ++day)
            text += QStringLiteral("JOU|%1|%2\r\n").arg(day).arg(first.addDays(7 * (day - 1)).toString("dd/MM/yyyy"));
        for (int day = 1; day <= MatchDayCount; ++day) {
            for (const QString &code : codes(day))
                text += QStringLiteral("CAL|%1|%2\r\n").arg(day).arg(code);
        }
        QStringEncoder encoder("windows-1252");
        return encoder(text);
    }

private:
    QStringList m_names;
    std::vector<std::vector<std::pair<int, int>>> m_days;
};

// Builds the bytes of a results store Resultats2013.ini.
class ResultsBuilder
{
public:
    // A record as the entry grid writes it: letters, then red, yellow, goals,
    // goals, yellow, red. Goals are texts so that "-" and "" can be stored.
    ResultsBuilder &result(const QString &key, QChar home, const QString &homeGoals, const QString &awayGoals,
                           QChar away, int homeRed = 0, int homeYellow = 0, int awayYellow = 0, int awayRed = 0)
    {
        return raw(key, QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
                            .arg(home)
                            .arg(homeRed)
                            .arg(homeYellow)
                            .arg(homeGoals, awayGoals)
                            .arg(awayYellow)
                            .arg(awayRed)
                            .arg(away));
    }
    ResultsBuilder &raw(const QString &key, const QString &record)
    {
        m_results[key] = record;
        return *this;
    }
    ResultsBuilder &bonusMalus(QChar letter, const QString &value)
    {
        m_bonus.append(QString(letter) + QLatin1Char('=') + value);
        return *this;
    }
    ResultsBuilder &stamp(const QString &text)
    {
        m_stamp = text;
        return *this;
    }
    ResultsBuilder &news(const QString &text)
    {
        m_news = text;
        return *this;
    }
    ResultsBuilder &version(const QString &text)
    {
        m_version = text;
        return *this;
    }

    QByteArray bytes() const
    {
        QString text = QStringLiteral("[Resultats]\r\n");
        for (auto it = m_results.cbegin(); it != m_results.cend(); ++it)
            text += it.key() + QLatin1Char('=') + it.value() + QStringLiteral("\r\n");
        if (!m_bonus.isEmpty())
            text += QStringLiteral("[BonMal]\r\n") + m_bonus.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        if (!m_stamp.isEmpty())
            text += QStringLiteral("[Maj]\r\nMaj=") + m_stamp + QStringLiteral("\r\n");
        if (!m_news.isEmpty())
            text += QStringLiteral("[Texte]\r\nTexte=") + m_news + QStringLiteral("\r\n");
        if (!m_version.isEmpty())
            text += QStringLiteral("[CV]\r\nCV=") + m_version + QStringLiteral("\r\n");
        QStringEncoder encoder("windows-1252");
        return encoder(text);
    }

private:
    QMap<QString, QString> m_results;
    QStringList m_bonus;
    QString m_stamp;
    QString m_news;
    QString m_version;
};
