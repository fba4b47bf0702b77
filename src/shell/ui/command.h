#pragma once

#include <QKeySequence>
#include <QString>

#include <array>
#include <optional>
#include <span>

// The window's commands. Each is one `BtN` button, whose "index" property is
// the command's value: the names below are the only place that number is
// written. What a command shows and does is its row of the command table
// (commandtable.cpp).
enum class Command {
    Quit,             // "Quitter"
    Save,             // "Valider": the results typed into the grid
    SortBestDefence,  // goals against (BC)
    SortBestAttack,   // goals for (BP)
    GeneralStandings, // "Classement Général"
    SortFairPlay,     // fair-play points (FP)
    About,            // opens or closes the about box
    Help,             // the help page in the browser
    SortGoalAverage,  // goal difference (GA)
    Update,           // "Mise à Jour": download the published results
    PickMatchDay,     // "Classement par Journée": the match-day picker
    CloseGraph,
    OpenGraph,   // "Graphiques"
    OpenSending, // "Expé Fichier": the sending panel
    Send,        // "Envoyer"
    CloseSending,
    Donors, // opens or closes the donors list
    CloseDonors,
    SortMostWins, // matches won (MG)
    CloseClassifications,
    Classifications, // opens or closes the sorts by one statistic
    FullTable,       // "Tableau complet": back to the current match day
    SortMostLosses,  // matches lost (MP)
    SortMostDraws,   // matches drawn (MN)
    CloseHighlights,
    Highlights, // "Le plus de....": the season's records
    CloseAbout,
    Configuration, // opens or closes the configuration
    CloseConfiguration,
    ReachableRanks,   // "Classement Possible !!!"
    InsertAdjustment, // "Insérer": a points adjustment
    Adjustments,      // "Bonus - Malus": the list of adjustments
    BackupStore,      // "Sauvegarde": a dated copy of the store
    OpenTeamCard,     // "Equipes"
    CloseTeamCard,
    PrintTeamCard,     // "Imprimer" on the team card
    Print,             // "Imprimer" in the side column
    PrintGraph,        // "Imprimer" on the graph
    OpenGraphTeamCard, // "Equipe": the card of the graph's team
};

inline constexpr int CommandCount = int(Command::OpenGraphTeamCard) + 1;

namespace commands {

// The `BtN` index of a command, and the command of an index (none outside 0..38).
constexpr int indexOf(Command command)
{
    return int(command);
}
std::optional<Command> atIndex(int index);
// Every command, in index order.
const std::array<Command, CommandCount> &all();
// The commands of the side column, top to bottom; sending the store stays
// hidden there until a save or the title's switch offers it.
std::span<const Command> sideColumn();

QString caption(Command command);
// What the command does, in a sentence (the button's accessible description):
// several captions are the same ("Fermer", "Imprimer") and say little alone.
QString description(Command command);
// The key that runs the command from anywhere in the window, empty for most.
QKeySequence shortcut(Command command);

} // namespace commands
