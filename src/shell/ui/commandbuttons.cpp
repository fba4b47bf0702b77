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

QString CommandButtons::description(int index)
{
    // What each command does, for screen readers: several captions are the
    // same ("Fermer", "Imprimer") and say little on their own.
    static const std::array<const char *, Count> descriptions = {
        "Ferme le programme",
        "Enregistre les résultats saisis dans la grille",
        "Classe les équipes par buts encaissés",
        "Classe les équipes par buts marqués",
        "Affiche le classement de toute la saison",
        "Classe les équipes par points de fair-play",
        "Ouvre ou ferme la fenêtre À propos",
        "Ouvre la page d'aide dans le navigateur",
        "Classe les équipes par différence de buts",
        "Télécharge les derniers résultats publiés",
        "Choisit la journée du classement",
        "Ferme les graphiques",
        "Ouvre le graphique de l'évolution du classement",
        "Ouvre le panneau d'expédition du fichier de résultats",
        "Montre ce qui sera publié puis envoie le fichier de résultats",
        "Ferme le panneau d'expédition",
        "Ouvre ou ferme la liste des partenaires et donateurs",
        "Ferme la liste des partenaires et donateurs",
        "Classe les équipes par matches gagnés",
        "Ferme les classements par critère",
        "Ouvre ou ferme les classements par critère",
        "Revient à la journée en cours et au classement complet",
        "Classe les équipes par matches perdus",
        "Classe les équipes par matches nuls",
        "Ferme les records de la saison",
        "Ouvre ou ferme les records de la saison",
        "Ferme la fenêtre À propos",
        "Ouvre ou ferme la configuration",
        "Ferme la configuration",
        "Affiche le meilleur rang que chaque équipe peut encore atteindre",
        "Enregistre l'ajustement de points de l'équipe choisie",
        "Ouvre ou ferme la liste des ajustements de points",
        "Copie le fichier de résultats sous un nom daté",
        "Ouvre la fiche d'une équipe",
        "Ferme la fiche de l'équipe",
        "Imprime la fenêtre",
        "Imprime la fenêtre",
        "Imprime la fenêtre",
        "Ouvre la fiche de l'équipe du graphique",
    };
    return index >= 0 && index < Count ? QString::fromUtf8(descriptions[index]) : QString();
}

QPushButton *CommandButtons::create(int index, QWidget *parent)
{
    auto *button = new QPushButton(caption(index), parent);
    button->setObjectName(QStringLiteral("BtN"));
    button->setProperty("index", index);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleDescription(description(index));
    // Reached with Tab; a click leaves the focus where it was, in the box
    // being typed into for instance.
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, index] { emit clicked(index); });
    m_buttons[index] = button;
    return button;
}
