#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

// The rules of the results update, apart from any window or network so they
// can be tested with any answer and any "now".
namespace updaterules {

// The published store on the author's web server ("http://host").
QUrl storeUrl(const QString &server);

// A results store is small; anything larger is not one.
constexpr qint64 MaxStoreBytes = 1024 * 1024;

// Why a server answer cannot replace the results store, in French; empty when
// it can. It can when every non-blank line is a section header, a key=value
// pair or a comment, the body ends with a line break, and it holds the stamp
// ("Maj" under [Maj]) and the version ("CV" under [CV]) that every send
// writes. An error page, an empty or oversized body, or a body cut short
// (even at a line break, before the stamp or the version) does not.
QString storeProblem(const QByteArray &bytes);
// The same rule said of the backup of an interrupted update, to follow "La
// sauvegarde Resultats2013.BU … n'a pas été remise en place : ".
QString backupProblem(const QByteArray &bytes);

// A second update within a minute of the last one is ignored.
bool throttled(const QDateTime &lastUpdate, const QDateTime &now);

// How the "Maj" label tells the new stamp against the previous one: red when
// the server's copy is older, green when newer, grey when the same. Nothing
// when either stamp does not read as a date-time: the label keeps its colour.
enum class StampColour { Red, Green, Grey };
std::optional<StampColour> updateStampColour(const std::optional<QDateTime> &previous,
                                             const std::optional<QDateTime> &current);
// The label's colour as 0xRRGGBB.
constexpr unsigned rgb(StampColour colour)
{
    return colour == StampColour::Red ? 0xFF0000u : colour == StampColour::Green ? 0x00C000u : 0x646464u;
}

// What the user sees when an update fails: the connection error, then why,
// in the program's own French ("Le serveur ne répond pas.").
inline const QString FailureTitle = QStringLiteral(" Kestrane 1 (2013 - 2014)");
inline const QString FailureMessage = QStringLiteral("Erreur de connexion !");
QString failureText(const QString &reason);

// What an update says when the server answered that the store here is still
// the published one.
inline const QString UpToDate = QStringLiteral("Résultats déjà à jour.");
// On the news line when another program changed the store under typed results.
inline const QString ChangedWhileTyping =
    QStringLiteral("Les résultats enregistrés ont changé : vos saisies attendent « Valider ».");

// The question asked before typed results that are not saved yet are lost.
inline const QString DiscardTitle = QStringLiteral("Mise à jour");
QString discardQuestion();

} // namespace updaterules
