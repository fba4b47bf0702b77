#include "shell/ui/commandbuttons.h"

#include <QPushButton>

QString CommandButtons::caption(int index)
{
    static const std::array<const char *, Count> captions = {
        "Quitter", "Valider", "Meilleure Défense", "Meilleure Attaque", "Classement Général", "Fair Play",
        "A Propos", "Aide", "Goal Average", "Mise à Jour", "Classement par Journée", "Fermer", "Graphiques",
        "Expé Fichier", "Envoyer", "Fermer", "Partenaires et Donateurs", "Fermer", "Matches Gagnés", "Fermer",
        "Classements", "Tableau complet", "Matches Perdus", "Matches Nuls", "Fermer", "Le plus de....", "Fermer",
        "Configuration", "Fermer", "Classement Possible !!!", "Insérer", "Bonus - Malus", "Sauvegarde", "Equipes",
        "Fermer", "Imprimer", "Imprimer", "Imprimer", "Equipe",
    };
    return index >= 0 && index < Count ? QString::fromUtf8(captions[index]) : QString();
}

QPushButton *CommandButtons::create(int index, QWidget *parent)
{
    auto *button = new QPushButton(caption(index), parent);
    button->setObjectName(QStringLiteral("BtN"));
    button->setProperty("index", index);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, index] { emit clicked(index); });
    m_buttons[index] = button;
    return button;
}
