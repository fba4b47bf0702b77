#include "shell/ui/commandtable.h"

#include "shell/core/appstate.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/newsline.h"
#include "shell/ui/onlinecontroller.h"
#include "shell/ui/sendingcontroller.h"
#include "shell/ui/shellpanelscontroller.h"
#include "shell/ui/standingscontroller.h"
#include "shell/ui/teamviewscontroller.h"

#include <QWidget>

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
    void (*handler)(CommandTargets &);
    unsigned keeps = KeepsNothing;
};

void sortBy(CommandTargets &t, const char *code)
{
    t.standings.sortByCriterion(QLatin1String(code));
}

constexpr Row Rows[] = {
    {Command::Quit, "Quitter", "Ferme le programme", [](CommandTargets &t) { t.window.window()->close(); }},
    {Command::Save, "Valider", "Enregistre les résultats saisis dans la grille",
     [](CommandTargets &t) { t.matchDay.saveEnteredResults(); }},
    {Command::SortBestDefence, "Meilleure Défense", "Classe les équipes par buts encaissés",
     [](CommandTargets &t) { sortBy(t, "BC"); }},
    {Command::SortBestAttack, "Meilleure Attaque", "Classe les équipes par buts marqués",
     [](CommandTargets &t) { sortBy(t, "BP"); }},
    {Command::GeneralStandings, "Classement Général", "Affiche le classement de toute la saison",
     [](CommandTargets &t) { t.standings.showGeneralRanking(); }},
    {Command::SortFairPlay, "Fair Play", "Classe les équipes par points de fair-play",
     [](CommandTargets &t) { sortBy(t, "FP"); }},
    {Command::About, "A Propos", "Ouvre ou ferme la fenêtre À propos", [](CommandTargets &t) { t.shell.toggleAbout(); },
     KeepsAbout},
    {Command::Help, "Aide", "Ouvre la page d'aide dans le navigateur",
     [](CommandTargets &t) { t.shell.openHelpPage(); }},
    {Command::SortGoalAverage, "Goal Average", "Classe les équipes par différence de buts",
     [](CommandTargets &t) { sortBy(t, "GA"); }},
    {Command::Update, "Mise à Jour", "Télécharge les derniers résultats publiés",
     [](CommandTargets &t) { t.online.runResultsUpdate(); }},
    {Command::PickMatchDay, "Classement par Journée", "Choisit la journée du classement",
     [](CommandTargets &t) { t.standings.showMatchDayPicker(); }, KeepsPicker},
    {Command::CloseGraph, "Fermer", "Ferme les graphiques", [](CommandTargets &t) { t.team.closeGraph(); }},
    {Command::OpenGraph, "Graphiques", "Ouvre le graphique de l'évolution du classement",
     [](CommandTargets &t) { t.team.openGraph(); }},
    {Command::OpenSending, "Expé Fichier", "Ouvre le panneau d'expédition du fichier de résultats",
     [](CommandTargets &t) { t.sending.openPanel(); }},
    {Command::Send, "Envoyer", "Montre ce qui sera publié puis envoie le fichier de résultats",
     [](CommandTargets &t) { t.sending.send(); }},
    {Command::CloseSending, "Fermer", "Ferme le panneau d'expédition",
     [](CommandTargets &t) { t.sending.closePanel(); }},
    {Command::Donors, "Partenaires et Donateurs", "Ouvre ou ferme la liste des partenaires et donateurs",
     [](CommandTargets &t) { t.online.toggleDonors(); }},
    {Command::CloseDonors, "Fermer", "Ferme la liste des partenaires et donateurs",
     [](CommandTargets &t) { t.online.closeDonors(); }},
    {Command::SortMostWins, "Matches Gagnés", "Classe les équipes par matches gagnés",
     [](CommandTargets &t) { sortBy(t, "MG"); }},
    {Command::CloseClassifications, "Fermer", "Ferme les classements par critère",
     [](CommandTargets &t) {
         t.standings.computeStandings();
         t.standings.hideClassifications();
         t.online.stopDonorsTicker();
     },
     KeepsPicker},
    {Command::Classifications, "Classements", "Ouvre ou ferme les classements par critère",
     [](CommandTargets &t) {
         t.standings.toggleClassifications();
         t.online.stopDonorsTicker();
     }},
    {Command::FullTable, "Tableau complet", "Revient à la journée en cours et au classement complet",
     [](CommandTargets &t) {
         if (!t.matchDay.settleUnsavedEntries())
             return;
         t.state.setCardRequest(QString());
         t.matchDay.showCurrentMatchDay();
         t.standings.showGeneralRanking();
     }},
    {Command::SortMostLosses, "Matches Perdus", "Classe les équipes par matches perdus",
     [](CommandTargets &t) { sortBy(t, "MP"); }},
    {Command::SortMostDraws, "Matches Nuls", "Classe les équipes par matches nuls",
     [](CommandTargets &t) { sortBy(t, "MN"); }},
    {Command::CloseHighlights, "Fermer", "Ferme les records de la saison",
     [](CommandTargets &t) { t.team.closeHighlights(); }},
    {Command::Highlights, "Le plus de....", "Ouvre ou ferme les records de la saison",
     [](CommandTargets &t) { t.team.toggleHighlights(); }},
    {Command::CloseAbout, "Fermer", "Ferme la fenêtre À propos", [](CommandTargets &t) { t.shell.hideAbout(); }},
    {Command::Configuration, "Configuration", "Ouvre ou ferme la configuration",
     [](CommandTargets &t) { t.shell.toggleConfiguration(); }, KeepsConfiguration},
    {Command::CloseConfiguration, "Fermer", "Ferme la configuration",
     [](CommandTargets &t) { t.shell.closeConfiguration(); }},
    {Command::ReachableRanks, "Classement Possible !!!",
     "Affiche le meilleur rang que chaque équipe peut encore atteindre",
     [](CommandTargets &t) { t.standings.showReachableRanks(); }, KeepsPicker},
    {Command::InsertAdjustment, "Insérer", "Enregistre l'ajustement de points de l'équipe choisie",
     [](CommandTargets &t) { t.sending.insertAdjustment(); }},
    {Command::Adjustments, "Bonus - Malus", "Ouvre ou ferme la liste des ajustements de points",
     [](CommandTargets &t) { t.shell.toggleAdjustments(); }},
    {Command::BackupStore, "Sauvegarde", "Copie le fichier de résultats sous un nom daté",
     [](CommandTargets &t) { t.shell.copyStoreAside(); }},
    {Command::OpenTeamCard, "Equipes", "Ouvre la fiche d'une équipe", [](CommandTargets &t) { t.team.openTeamCard(); }},
    {Command::CloseTeamCard, "Fermer", "Ferme la fiche de l'équipe", [](CommandTargets &t) { t.team.closeTeamCard(); }},
    {Command::PrintTeamCard, "Imprimer", "Imprime la fenêtre", [](CommandTargets &t) { t.shell.printWindow(); }},
    {Command::Print, "Imprimer", "Imprime la fenêtre", [](CommandTargets &t) { t.shell.printWindow(); }},
    {Command::PrintGraph, "Imprimer", "Imprime la fenêtre", [](CommandTargets &t) { t.shell.printWindow(); }},
    {Command::OpenGraphTeamCard, "Equipe", "Ouvre la fiche de l'équipe du graphique",
     [](CommandTargets &t) { t.team.openCardOfGraphTeam(); }},
};

// The commands a key runs, as the desktop's habits have it. A shortcut takes
// the very path of a click: the same action, enabled or not alike.
struct Shortcut
{
    Command command;
    QKeyCombination keys;
};
constexpr Shortcut Shortcuts[] = {
    {Command::Update, Qt::Key_F5},
    {Command::Print, Qt::CTRL | Qt::Key_P},
    {Command::Save, Qt::CTRL | Qt::Key_S},
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

std::span<const Command> sideColumn()
{
    static constexpr std::array order = {Command::GeneralStandings,
                                         Command::Classifications,
                                         Command::PickMatchDay,
                                         Command::ReachableRanks,
                                         Command::FullTable,
                                         Command::OpenTeamCard,
                                         Command::OpenGraph,
                                         Command::Highlights,
                                         Command::Update,
                                         Command::BackupStore,
                                         Command::Adjustments,
                                         Command::Donors,
                                         Command::Configuration,
                                         Command::Print,
                                         Command::Help,
                                         Command::About,
                                         Command::Quit,
                                         Command::OpenSending};
    return order;
}

QString caption(Command command)
{
    return QString::fromUtf8(rowOf(command).caption);
}

QString description(Command command)
{
    return QString::fromUtf8(rowOf(command).description);
}

QKeySequence shortcut(Command command)
{
    for (const Shortcut &s : Shortcuts) {
        if (s.command == command)
            return QKeySequence(s.keys);
    }
    return {};
}

} // namespace commands

void CommandTable::run(Command command)
{
    const Row &row = rowOf(command);
    CommandTargets &t = m_targets;
    t.news.hide();
    t.standings.hideAheadBehind();
    t.team.parkCrestStrip();
    if (!(row.keeps & KeepsConfiguration))
        t.shell.hideConfiguration();
    row.handler(t);
    if (!(row.keeps & KeepsAbout))
        t.shell.hideAbout();
    if (!(row.keeps & KeepsPicker))
        t.standings.hideMatchDayPicker();
}
