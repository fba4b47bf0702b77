#include "shell/ui/configpanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

ConfigPanel::ConfigPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("FraCon"));
    m_autoUpdate = new QCheckBox(QStringLiteral("Mise à jour automatique au lancement"), this);
    m_autoUpdate->setObjectName(QStringLiteral("Check4"));
    m_highlightFavourite = new QCheckBox(QStringLiteral("Surligner son équipe préférée"), this);
    m_highlightFavourite->setObjectName(QStringLiteral("Check5"));
    m_trackingAid = new QCheckBox(QStringLiteral("Activer l'aide au suivi dans les tableaux"), this);
    m_trackingAid->setObjectName(QStringLiteral("Check6"));
    int top = 8;
    for (QCheckBox *box : {m_autoUpdate, m_highlightFavourite, m_trackingAid}) {
        box->setGeometry(8, top, 290, 20);
        top += 24;
    }

    auto *caption = new QLabel(QStringLiteral("Equipe préférée :"), this);
    caption->setGeometry(8, top + 4, 220, 18);
    m_favourite = new QLabel(this);
    m_favourite->setObjectName(QStringLiteral("LabEQPref"));
    m_favourite->setTextFormat(Qt::PlainText);
    QFont bold = m_favourite->font();
    bold.setBold(true);
    m_favourite->setFont(bold);
    m_favourite->setGeometry(8, top + 22, 220, 20);
    m_crest = new QLabel(this);
    m_crest->setObjectName(QStringLiteral("Image9"));
    m_crest->setScaledContents(true);
    m_crest->setGeometry(250, top, 48, 48);

    m_teams = new QListWidget(this);
    m_teams->setObjectName(QStringLiteral("List6"));
    // Narrower than the panel: the close button stands beside its last names.
    m_teams->setGeometry(8, top + 52, 194, 300);
    const auto choose = [this](QListWidgetItem *item) {
        if (item)
            emit favouriteChosen(m_teams->row(item), item->text());
    };
    connect(m_teams, &QListWidget::itemClicked, this, choose);
    connect(m_teams, &QListWidget::itemActivated, this, choose);
}

void ConfigPanel::fillTeams(const QStringList &teams, const QString &favourite, const CrestProvider &crest)
{
    if (m_teams->count() >= 10)
        return;
    m_teams->clear();
    m_teams->addItem(NoTeam);
    for (int team = 0; team < teams.size(); ++team) {
        m_teams->addItem(teams[team]);
        if (teams[team] == favourite && crest)
            setCrest(crest(team));
    }
}

void ConfigPanel::setFavouriteCaption(const QString &caption)
{
    if (caption != m_favourite->text())
        m_changed = true;
    m_favourite->setText(caption);
}

void ConfigPanel::setCrest(const QPixmap &crest)
{
    if (crest.isNull())
        m_crest->clear();
    else
        m_crest->setPixmap(crest);
}
