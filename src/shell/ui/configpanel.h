#pragma once

#include <QFrame>
#include <QPixmap>
#include <QStringList>

#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;

// The configuration panel `FraCon`: the three preference boxes and the
// choice of the favourite team with its crest. It shows and takes choices;
// the session keeps the preferences.
class ConfigPanel : public QFrame
{
    Q_OBJECT
public:
    using CrestProvider = std::function<QPixmap(int team)>;

    explicit ConfigPanel(QWidget *parent = nullptr);

    QCheckBox *autoUpdate() const { return m_autoUpdate; }
    QCheckBox *highlightFavourite() const { return m_highlightFavourite; }
    QCheckBox *trackingAid() const { return m_trackingAid; }

    // Fills the team list once: "Aucune", then the teams in team order; the
    // crest shows the favourite team's.
    void fillTeams(const QStringList &teams, const QString &favourite, const CrestProvider &crest);
    void setFavouriteCaption(const QString &caption);
    void setCrest(const QPixmap &crest);
    // Whether the favourite changed since the panel last opened.
    bool favouriteChanged() const { return m_changed; }
    void clearFavouriteChanged() { m_changed = false; }

    static inline const QString NoTeam = QStringLiteral("Aucune");

signals:
    // Position in the list (0 is "Aucune") and the chosen text.
    void favouriteChosen(int position, const QString &text);

private:
    QCheckBox *m_autoUpdate = nullptr;
    QCheckBox *m_highlightFavourite = nullptr;
    QCheckBox *m_trackingAid = nullptr;
    QLabel *m_favourite = nullptr;
    QLabel *m_crest = nullptr;
    QListWidget *m_teams = nullptr;
    bool m_changed = false;
};
