#pragma once

#include <QPixmap>
#include <QString>

#include <array>

// The pictures the program supplies itself: the logo, one crest per team and
// the three rank-movement arrows. A team crest found as an image file in the
// program folder ("blasons/A.png" for team A) wins over the drawn one.
class Pictures
{
public:
    enum Movement { Up, Down, Same };

    explicit Pictures(QString programFolder);

    // Prepares the 20 crests of the season's teams, in team order.
    void loadCrests(const std::array<QString, 20> &teamNames);

    QPixmap logo() const;
    QPixmap crest(int team) const; // empty outside 0..19
    QPixmap movement(Movement movement) const;

    // A crest drawn from the team's name: colours and initials derived from it.
    static QPixmap drawCrest(const QString &teamName, int size = 48);

private:
    QString m_folder;
    std::array<QPixmap, 20> m_crests;
};
