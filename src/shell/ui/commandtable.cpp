#include "shell/ui/commandtable.h"

#include "shell/core/session.h"
#include "shell/ui/mainwindow.h"
#include "standings/ui/standingstable.h"

#include <iterator>

namespace {

// The shared steps a command leaves out: the configuration stays open for
// its own button, the about box for its own, the match-day picker for the
// commands that belong with it.
enum Keeps : unsigned {
    KeepsNothing = 0,
    KeepsConfiguration = 1,
    KeepsAbout = 2,
    KeepsPicker = 4,
};

struct Row
{
    Command command;
    const char *caption;
    const char *description;
    void (*handler)(MainWindow &);
    unsigned keeps = KeepsNothing;
};

void sortBy(MainWindow &w, const char *code)
{
    w.sortByCriterion(QLatin1String(code));
}

constexpr Row Rows[] = {
    {Command::Quit, "Quitter", "Ferme le programme", [](MainWindow &w) { w.close(); }},
    {Command::Save, "Valider", "Enregistre les résultats saisis dans la grille",
     [](MainWindow &w) { w.saveEnteredResults(); }},
    {Command::SortBestDefence, "Meilleure Défense", "Classe les équipes par buts encaissés",
     [](MainWindow &w) { sortBy(w, "BC"); }},
    {Command::SortBestAttack, "Meilleure Attaque", "Classe les équipes par buts marqués",
     [](MainWindow &w) { sortBy(w, "BP"); }},
    {Command::GeneralStandings, "Classement Général", "Affiche le classement de toute la saison",
     [](MainWindow &w) {
         w.computeStandings();
         w.markRankMovement(w.session().state().dueMatchDays());
     }},
    {Command::SortFairPlay, "Fair Play", "Classe les équipes par points de fair-play",
     [](MainWindow &w) { sortBy(w, "FP"); }},
    {Command::About, "A Propos", "Ouvre ou ferme la fenêtre À propos", [](MainWindow &w) { w.toggleAbout(); },
     KeepsAbout},
    {Command::Help, "Aide", "Ouvre la page d'aide dans le navigateur", [](MainWindow &w) { w.openHelpPage(); }},
    {Command::SortGoalAverage, "Goal Average", "Classe les équipes par différence de buts",
     [](MainWindow &w) { sortBy(w, "GA"); }},
    {Command::Update, "Mise à Jour", "Télécharge les derniers résultats publiés",
     [](MainWindow &w) { w.runResultsUpdate(); }},
    {Command::PickMatchDay, "Classement par Journée", "Choisit la journée du classement",
     [](MainWindow &w) { w.showMatchDayPicker(); }, KeepsPicker},
    {Command::CloseGraph, "Fermer", "Ferme les graphiques", [](MainWindow &w) { w.closeGraph(); }},
    {Command::OpenGraph, "Graphiques", "Ouvre le graphique de l'évolution du classement",
     [](MainWindow &w) { w.openGraph(); }},
    {Command::OpenSending, "Expé Fichier", "Ouvre le panneau d'expédition du fichier de résultats",
     [](MainWindow &w) { w.openExportPanel(); }},
    {Command::Send, "Envoyer", "Montre ce qui sera publié puis envoie le fichier de résultats",
     [](MainWindow &w) { w.sendResults(); }},
    {Command::CloseSending, "Fermer", "Ferme le panneau d'expédition", [](MainWindow &w) { w.closeExportPanel(); }},
    {Command::Donors, "Partenaires et Donateurs", "Ouvre ou ferme la liste des partenaires et donateurs",
     [](MainWindow &w) { w.toggleDonors(); }},
    {Command::CloseDonors, "Fermer", "Ferme la liste des partenaires et donateurs",
     [](MainWindow &w) { w.closeDonors(); }},
    {Command::SortMostWins, "Matches Gagnés", "Classe les équipes par matches gagnés",
     [](MainWindow &w) { sortBy(w, "MG"); }},
    {Command::CloseClassifications, "Fermer", "Ferme les classements par critère",
     [](MainWindow &w) {
         w.computeStandings();
         w.hideClassifications();
         w.stopDonorsTicker();
     },
     KeepsPicker},
    {Command::Classifications, "Classements", "Ouvre ou ferme les classements par critère",
     [](MainWindow &w) {
         w.toggleClassifications();
         w.stopDonorsTicker();
     }},
    {Command::FullTable, "Tableau complet", "Revient à la journée en cours et au classement complet",
     [](MainWindow &w) {
         if (!w.settleUnsavedEntries())
             return;
         w.session().state().setCardRequest(QString());
         w.selectCurrentMatchDay();
         w.computeStandings();
         w.markRankMovement(w.session().state().dueMatchDays());
     }},
    {Command::SortMostLosses, "Matches Perdus", "Classe les équipes par matches perdus",
     [](MainWindow &w) { sortBy(w, "MP"); }},
    {Command::SortMostDraws, "Matches Nuls", "Classe les équipes par matches nuls",
     [](MainWindow &w) { sortBy(w, "MN"); }},
    {Command::CloseHighlights, "Fermer", "Ferme les records de la saison", [](MainWindow &w) { w.closeHighlights(); }},
    {Command::Highlights, "Le plus de....", "Ouvre ou ferme les records de la saison",
     [](MainWindow &w) { w.toggleHighlights(); }},
    {Command::CloseAbout, "Fermer", "Ferme la fenêtre À propos", [](MainWindow &w) { w.hideAbout(); }},
    {Command::Configuration, "Configuration", "Ouvre ou ferme la configuration",
     [](MainWindow &w) { w.toggleConfiguration(); }, KeepsConfiguration},
    {Command::CloseConfiguration, "Fermer", "Ferme la configuration", [](MainWindow &w) { w.closeConfiguration(); }},
    {Command::ReachableRanks, "Classement Possible !!!",
     "Affiche le meilleur rang que chaque équipe peut encore atteindre",
     [](MainWindow &w) { w.showReachableRanks(); }, KeepsPicker},
    {Command::InsertAdjustment, "Insérer", "Enregistre l'ajustement de points de l'équipe choisie",
     [](MainWindow &w) { w.insertAdjustment(); }},
    {Command::Adjustments, "Bonus - Malus", "Ouvre ou ferme la liste des ajustements de points",
     [](MainWindow &w) { w.toggleAdjustments(); }},
    {Command::BackupStore, "Sauvegarde", "Copie le fichier de résultats sous un nom daté",
     [](MainWindow &w) { w.copyStoreAside(); }},
    {Command::OpenTeamCard, "Equipes", "Ouvre la fiche d'une équipe", [](MainWindow &w) { w.openTeamCard(); }},
    {Command::CloseTeamCard, "Fermer", "Ferme la fiche de l'équipe", [](MainWindow &w) { w.closeTeamCard(); }},
    {Command::PrintTeamCard, "Imprimer", "Imprime la fenêtre", [](MainWindow &w) { w.printWindow(); }},
    {Command::Print, "Imprimer", "Imprime la fenêtre", [](MainWindow &w) { w.printWindow(); }},
    {Command::PrintGraph, "Imprimer", "Imprime la fenêtre", [](MainWindow &w) { w.printWindow(); }},
    {Command::OpenGraphTeamCard, "Equipe", "Ouvre la fiche de l'équipe du graphique",
     [](MainWindow &w) { w.openCardOfGraphTeam(); }},
};

constexpr bool inIndexOrder()
{
    int index = 0;
    for (const Row &row : Rows) {
        if (commands::indexOf(row.command) != index++)
            return false;
    }
    return index == CommandCount;
}
static_assert(inIndexOrder(), "one row per command, in the order of their indexes");

const Row &rowOf(Command command)
{
    return Rows[commands::indexOf(command)];
}

} // namespace

namespace commands {

std::optional<Command> atIndex(int index)
{
    if (index < 0 || index >= CommandCount)
        return std::nullopt;
    return Rows[index].command;
}

const std::array<Command, CommandCount> &all()
{
    static const std::array<Command, CommandCount> list = [] {
        std::array<Command, CommandCount> commands{};
        for (std::size_t i = 0; i < commands.size(); ++i)
            commands[i] = Rows[i].command;
        return commands;
    }();
    return list;
}

QString caption(Command command)
{
    return QString::fromUtf8(rowOf(command).caption);
}

QString description(Command command)
{
    return QString::fromUtf8(rowOf(command).description);
}

} // namespace commands

void CommandTable::dispatch(Command command)
{
    const Row &row = rowOf(command);
    MainWindow &w = m_targets;
    w.hideNewsPanel();
    w.standingsTable().hideAheadBehind();
    w.parkCrestStrip();
    if (!(row.keeps & KeepsConfiguration))
        w.hideConfiguration();
    row.handler(w);
    if (!(row.keeps & KeepsAbout))
        w.hideAbout();
    if (!(row.keeps & KeepsPicker))
        w.hideMatchDayPicker();
}
