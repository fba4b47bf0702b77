#pragma once

#include "team/core/teamsummary.h"

#include <QFrame>
#include <QPixmap>

#include <array>

class QLabel;

// The team summary `Frame3`: crest, name, rank with the last movement,
// wins, defeats, draws and matches played of one team. Its name label tells
// which team it shows; a click on it, or on the crest, asks for that team
// again.
class TeamSummaryPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TeamSummaryPanel(QWidget *parent = nullptr);

    void showSummary(const TeamSummary &summary, const QPixmap &crest, const QPixmap &movement);
    QString team() const;

signals:
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLabel *, 8> m_labels{}; // Label11
    QLabel *m_crest = nullptr;          // Image3
    QLabel *m_movement = nullptr;       // Image12
};
