#include "app/commandline.h"

#include "app/siteexport.h"
#include "matchday/core/matchdayprinter.h"
#include "online/core/storecheck.h"
#include "online/core/updaterules.h"
#include "online/net/updatecommand.h"
#include "season/core/clock.h"
#include "season/core/manpage.h"
#include "season/core/seasonfolder.h"
#include "season/core/usersettings.h"
#include "shell/core/programinfo.h"
#include "standings/core/outlookprinter.h"
#include "standings/core/standingsprinter.h"
#include "standings/core/statisticsprinter.h"
#include "standings/core/tableexport.h"
#include "standings/core/tableprinter.h"
#include "standings/ui/tableformats.h"
#include "statistics/core/oddsprinter.h"
#include "team/core/teamcalendar.h"
#include "team/core/teamprinters.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace commandline {

namespace {

// Options of Qt's window system that take a value, and those that do not.
const QStringList QtValueOptions = {
    QStringLiteral("platform"),
    QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),
    QStringLiteral("display"),
    QStringLiteral("geometry"),
    QStringLiteral("style"),
    QStringLiteral("stylesheet"),
    QStringLiteral("session"),
    QStringLiteral("fontengine"),
    QStringLiteral("title"),
    QStringLiteral("name"),
};
const QStringList QtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                   QStringLiteral("dograb"), QStringLiteral("sync")};

struct Context
{
    QCommandLineParser &parser;
    SeasonFolder &folder;
    QTextStream &out;
    QTextStream &err;
    QDateTime now;
};

QString value(Context &c, const char *option)
{
    return c.parser.value(QLatin1String(option));
}

// One option of the command line, as the parser, the help and the dispatch
// read it: a setting of the program, an action for scripts (what it runs,
// whether it needs the program folder, which qualifiers go with it), or a
// qualifier that only goes with some actions.
struct Option
{
    enum Kind { Setting, Action, Qualifier };

    Kind kind = Setting;
    QStringList names; // the long name, and a short one first for --help
    QString help;
    QString valueName;                 // empty for a switch
    std::function<int(Context &)> run; // an action's
    QStringList takes;                 // an action's qualifiers
    bool paints = false;               // an action that draws with fonts (a PDF): needs a GUI application object
    bool readsOnly = false;            // writes nothing in the program folder: opens it without mending it
    int helpNote = 0;                  // a qualifier's place among the help's notes
    bool hidden = false;               // left out of --help and of the manual page
    // An action that needs no program folder runs this instead, before any
    // folder or setting is looked at.
    std::function<int(QCommandLineParser &, QTextStream &, QTextStream &)> runAlone = {};
};

Option setting(QStringList names, QString help, QString valueName = {})
{
    Option option;
    option.names = std::move(names);
    option.help = std::move(help);
    option.valueName = std::move(valueName);
    return option;
}

Option action(const char *name, QString help, QString valueName, std::function<int(Context &)> run,
              QStringList takes = {}, bool paints = false)
{
    return {Option::Action, {QLatin1String(name)}, std::move(help), std::move(valueName),
            std::move(run), std::move(takes),      paints};
}

Option standalone(const char *name, QString help, QString valueName,
                  std::function<int(QCommandLineParser &, QTextStream &, QTextStream &)> run, QStringList takes = {})
{
    Option option = action(name, std::move(help), std::move(valueName), {}, std::move(takes));
    option.runAlone = std::move(run);
    return option;
}

Option qualifier(const char *name, int helpNote, QString help, QString valueName = {})
{
    Option option = setting({QLatin1String(name)}, std::move(help), std::move(valueName));
    option.kind = Option::Qualifier;
    option.helpNote = helpNote;
    return option;
}

// The exports of the table, one per format of the window's "Exporter…".
void addTableExports(std::vector<Option> &options)
{
    for (const TableFormat &format : tableformats::all()) {
        const char *name = format.option;
        const auto write = format.write;
        options.push_back(action(
            name, QString::fromUtf8(format.help), QStringLiteral("FICHIER"),
            [name, write](Context &c) {
                return tableexport::exportCommand(c.folder, value(c, name), value(c, "matchday"), c.now, write, c.err);
            },
            {QStringLiteral("matchday")}, format.paints));
    }
}

// Every option, in the order --help lists them.
const std::vector<Option> &options()
{
    static const std::vector<Option> table = [] {
        const QStringList matchday{QStringLiteral("matchday")};
        std::vector<Option> o = {
            setting({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Affiche cette aide.")),
            setting({QStringLiteral("version")}, QStringLiteral("Affiche la version du programme.")),
            setting({QStringLiteral("data-dir")},
                    QStringLiteral("Dossier du programme (saison, résultats, sauvegardes, donateurs)."),
                    QStringLiteral("DOSSIER")),
            setting({QStringLiteral("server")}, QStringLiteral("Adresse du serveur de l'auteur (http://hôte)."),
                    QStringLiteral("URL")),
            qualifier("matchday", 9, QStringLiteral("Ne compter que les journées 1 à N."), QStringLiteral("N")),
            action("print-standings", QStringLiteral("Affiche le classement, une équipe par ligne."), {},
                   [](Context &c) {
                       return printStandings(c.folder, value(c, "matchday"), c.parser.isSet(QStringLiteral("explain")),
                                             c.out, c.err);
                   },
                   {QStringLiteral("matchday"), QStringLiteral("explain")}),
            qualifier("explain", 1,
                      QStringLiteral("Avec --print-standings : ajoute le critère qui place chaque équipe devant la "
                                     "suivante.")),
            action(
                "print-outlook",
                QStringLiteral("Affiche le meilleur et le pire classement final encore possibles de chaque équipe."),
                {}, [](Context &c) { return printOutlook(c.folder, value(c, "matchday"), c.out, c.err); }, matchday),
            action(
                "print-sorted",
                QStringLiteral("Affiche le tableau trié sur un critère : BC, BP, FP, GA, MG, MP ou MN."),
                QStringLiteral("CODE"),
                [](Context &c) {
                    return printSorted(c.folder, value(c, "print-sorted"), value(c, "matchday"), c.now, c.out, c.err);
                },
                matchday),
            action(
                "print-reachable", QStringLiteral("Affiche le meilleur classement encore accessible."), {},
                [](Context &c) { return printReachable(c.folder, value(c, "matchday"), c.now, c.out, c.err); },
                matchday),
            action("print-matchday", QStringLiteral("Affiche la journée N."), QStringLiteral("N"),
                   [](Context &c) { return printMatchDay(c.folder, c.now, value(c, "print-matchday"), c.out, c.err); }),
            action("print-cards", QStringLiteral("Affiche les cartons par journée."), {},
                   [](Context &c) { return printCardsReport(c.folder, c.out, c.err); }),
            action("print-highlights", QStringLiteral("Affiche les records de la saison."), {},
                   [](Context &c) { return printHighlights(c.folder, c.out, c.err); }),
            action("print-history", QStringLiteral("Affiche l'évolution du classement d'une équipe."),
                   QStringLiteral("EQUIPE"),
                   [](Context &c) {
                       return printRankingHistory(c.folder, value(c, "print-history"),
                                                  c.parser.isSet(QStringLiteral("simulated")), c.now, c.out, c.err);
                   },
                   {QStringLiteral("simulated")}),
            qualifier("simulated", 2, QStringLiteral("Avec --print-history : compte aussi les matches simulés.")),
            action("print-team", QStringLiteral("Affiche la fiche d'une équipe."), QStringLiteral("EQUIPE"),
                   [](Context &c) { return printTeamCard(c.folder, value(c, "print-team"), c.now, c.out, c.err); }),
            action(
                "print-form",
                QStringLiteral("Affiche la forme de chaque équipe : ses derniers résultats (V, N, D) et leurs points."),
                {},
                [](Context &c) {
                    return statisticsprinter::printForm(c.folder, value(c, "matchday"), value(c, "last"), c.out, c.err);
                },
                {QStringLiteral("matchday"), QStringLiteral("last")}),
            qualifier("last", 4, QStringLiteral("Avec --print-form : nombre de matches, 1 à 38 (5 par défaut)."),
                      QStringLiteral("K")),
            action("print-table",
                   QStringLiteral("Affiche le classement des journées A à B (tous les matches, ou --home, --away)."),
                   {},
                   [](Context &c) {
                       return statisticsprinter::printTable(c.folder, value(c, "from"), value(c, "to"),
                                                            c.parser.isSet(QStringLiteral("home")),
                                                            c.parser.isSet(QStringLiteral("away")), c.out, c.err);
                   },
                   {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("home"), QStringLiteral("away")}),
            qualifier("from", 5, QStringLiteral("Avec --print-table : première journée comptée (1 par défaut)."),
                      QStringLiteral("A")),
            qualifier("to", 6, QStringLiteral("Avec --print-table : dernière journée comptée (38 par défaut)."),
                      QStringLiteral("B")),
            qualifier("home", 7, QStringLiteral("Avec --print-table : les matches à domicile seulement.")),
            qualifier("away", 8, QStringLiteral("Avec --print-table : les matches à l'extérieur seulement.")),
            action(
                "print-matrix", QStringLiteral("Affiche le tableau croisé de tous les résultats."), {},
                [](Context &c) { return statisticsprinter::printMatrix(c.folder, value(c, "matchday"), c.out, c.err); },
                matchday),
            action(
                "print-streaks",
                QStringLiteral(
                    "Affiche les séries en cours/plus longues de chaque équipe (victoires, sans défaite...)."),
                {},
                [](Context &c) {
                    return statisticsprinter::printStreaks(c.folder, value(c, "matchday"), c.out, c.err);
                },
                matchday),
            action("print-odds",
                   QStringLiteral("Affiche, d'après des saisons simulées, les chances de chaque équipe de finir à "
                                  "chaque rang (journée N : la dernière jouée par défaut)."),
                   {},
                   [](Context &c) {
                       return printOdds(c.folder, value(c, "matchday"), value(c, "runs"), value(c, "seed"), c.out,
                                        c.err);
                   },
                   {QStringLiteral("matchday"), QStringLiteral("runs"), QStringLiteral("seed")}),
            qualifier("runs", 13,
                      QStringLiteral("Avec --print-odds : nombre de saisons simulées, 1 à 10000000 (100000 par "
                                     "défaut)."),
                      QStringLiteral("K")),
            qualifier("seed", 14,
                      QStringLiteral("Avec --print-odds : graine du tirage (1 par défaut) ; la même graine donne les "
                                     "mêmes chiffres."),
                      QStringLiteral("S")),
            action("update", QStringLiteral("Télécharge les derniers résultats publiés."), {},
                   [](Context &c) {
                       const UserSettings settings(
                           QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
                       UpdateCommand command;
                       command.server = programinfo::serverAddress(value(c, "server"), settings);
                       command.authoritiesFile = programinfo::authoritiesFile(value(c, "ca"), settings);
                       command.verbose = c.parser.isSet(QStringLiteral("verbose"));
                       command.force = c.parser.isSet(QStringLiteral("force"));
                       return runUpdateCommand(c.folder, command, c.out, c.err);
                   },
                   {QStringLiteral("verbose"), QStringLiteral("force"), QStringLiteral("ca")}),
            qualifier("verbose", 3, QStringLiteral("Avec --update : ajoute le détail technique d'un échec.")),
            qualifier("force", 10,
                      QStringLiteral("Avec --update : remplace aussi les résultats saisis ici et jamais publiés.")),
            qualifier("ca", 11,
                      QStringLiteral("Avec --update : autorité de certification privée du serveur HTTPS (fichier "
                                     "PEM), à la place du réglage Data/AutoriteCertification."),
                      QStringLiteral("FICHIER")),
            standalone("check-store",
                       QStringLiteral("Vérifie qu'un fichier est un fichier de résultats qu'une mise à jour "
                                      "accepterait (0 : oui, 1 : non, avec la raison)."),
                       QStringLiteral("FICHIER"),
                       [](QCommandLineParser &parser, QTextStream &out, QTextStream &err) {
                           return storecheck::command(parser.value(QStringLiteral("check-store")),
                                                      parser.value(QStringLiteral("against")), out, err);
                       },
                       {QStringLiteral("against")}),
            qualifier("against", 12,
                      QStringLiteral("Avec --check-store : compte aussi les résultats qui diffèrent de FICHIER, le "
                                     "fichier qu'il remplacerait."),
                      QStringLiteral("FICHIER")),
        };
        addTableExports(o);
        o.push_back(action("export-ics",
                           QStringLiteral("Enregistre les matches d'une équipe pour un agenda (iCalendar) ; "
                                          "FICHIER suit le nom de l'équipe."),
                           QStringLiteral("EQUIPE FICHIER"), [](Context &c) {
                               // The team is the option's value, the file the one argument left.
                               return teamcalendar::exportCommand(c.folder, value(c, "export-ics"),
                                                                  c.parser.positionalArguments().value(0), c.now,
                                                                  c.err);
                           }));
        o.push_back(action(
            "export-site", QStringLiteral("Écrit le site web de la saison (pages, agendas, données) dans DOSSIER."),
            QStringLiteral("DOSSIER"),
            [](Context &c) { return exportSite(c.folder, value(c, "export-site"), c.out, c.err); }, {}, true));
        o.back().readsOnly = true;
        o.push_back(setting({QStringLiteral("quit-after-first-paint")},
                            QStringLiteral("Ouvre la fenêtre puis quitte dès le premier affichage (mesures).")));
        // For the build, which installs the page it writes.
        o.push_back(setting({QStringLiteral("man")}, QStringLiteral("Écrit la page de manuel du programme.")));
        o.back().hidden = true;
        return o;
    }();
    return table;
}

QString nameOf(const Option &option)
{
    return option.names.last();
}

// The actions a qualifier goes with, in the order of the table.
QStringList qualified(const Option &qualifier)
{
    QStringList actions;
    for (const Option &option : options()) {
        if (option.kind == Option::Action && option.takes.contains(nameOf(qualifier)))
            actions << nameOf(option);
    }
    return actions;
}

// The qualifiers in the order of the help's notes.
std::vector<const Option *> qualifiers()
{
    std::vector<const Option *> list;
    for (const Option &option : options()) {
        if (option.kind == Option::Qualifier)
            list.push_back(&option);
    }
    std::sort(list.begin(), list.end(), [](const Option *a, const Option *b) { return a->helpNote < b->helpNote; });
    return list;
}

// "--a", "--a ou --b", "--a, --b ou --c".
QString optionNames(const QStringList &options)
{
    QStringList names;
    for (const QString &option : options)
        names << QStringLiteral("--") + option;
    const QString last = names.takeLast();
    return names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" ou ") + last;
}

void addOptions(QCommandLineParser &parser)
{
    // "-platform" and the like are Qt's; "-x" words are read as long options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option &option : options()) {
        QCommandLineOption entry(option.names, option.help, option.valueName);
        if (option.hidden)
            entry.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(entry);
    }
}

// A sentence cut between words to the width of a terminal.
QString wrapped(const QString &sentence)
{
    QString text;
    QString line;
    for (const QString &word : sentence.split(QLatin1Char(' '))) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > 78) {
            text += line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return text + line + QLatin1Char('\n');
}

const QString Synopsis = QStringLiteral("kestrane [options]");
const QString Summary = QStringLiteral("Kestrane 1 : le championnat 2013 - 2014, ses classements et ses résultats.");
const QString Actions = QStringLiteral("Sans action, ouvre la fenêtre du programme ; les actions --print-…, "
                                       "--export-… et --update s'exécutent sans fenêtre.");

// "--matchday vaut pour --print-standings, … ou --print-streaks.", per qualifier.
QStringList qualifierNotes()
{
    QStringList notes;
    for (const Option *qualifier : qualifiers())
        notes << QStringLiteral("--%1 vaut pour %2.").arg(nameOf(*qualifier), optionNames(qualified(*qualifier)));
    return notes;
}

QString helpText()
{
    // Qt's own help is English; this one says the same in French.
    QString text = QStringLiteral("Utilisation : ") + Synopsis + QStringLiteral("\n\n") + Summary + QLatin1Char('\n')
                   + wrapped(Actions);
    for (const QString &note : qualifierNotes())
        text += wrapped(note);
    text += QStringLiteral("\nOptions :\n");
    for (const Option &option : options()) {
        if (option.hidden)
            continue;
        QStringList names;
        for (const QString &name : option.names)
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName.isEmpty())
            left += QLatin1Char(' ') + option.valueName;
        text += QStringLiteral("  ") + left.leftJustified(28) + QLatin1Char(' ') + option.help + '\n';
    }
    return text;
}

// The manual page: the same table, the same sentences, and what the help
// has no room for.
QString manualText()
{
    manpage::Page page;
    page.command = QStringLiteral("kestrane");
    page.version = programinfo::fullVersionText();
    page.summary = QStringLiteral("suit le championnat Kestrane 1 2013 - 2014 : classements, journées, résultats");
    page.synopsis = Synopsis;
    page.description = QStringList{Summary, Actions} + qualifierNotes();
    page.description << QStringLiteral("Le dossier du programme tient la saison (2013.txt) et le fichier de résultats "
                                       "(Resultats2013.ini). Installé, le programme garde ses résultats dans "
                                       "~/.local/share/kestrane, copiés de la saison installée au premier lancement.");
    for (const Option &option : options()) {
        if (!option.hidden)
            page.options.append({option.names, option.valueName, option.help});
    }
    page.sections = {
        {QStringLiteral("SORTIES"),
         {QStringLiteral("0 : réussite ; 1 : échec, la raison en français sur la sortie d'erreur ; 2 : ligne de "
                         "commande invalide.")}},
        {QStringLiteral("ENVIRONNEMENT"),
         {QStringLiteral("KESTRANE_SERVER : l'adresse du serveur de la ligue, à défaut de --server."),
          QStringLiteral("XDG_CONFIG_HOME : où sont les réglages (kestrane/kestrane.ini, section [Data] : "
                         "Serveur, AutoriteCertification, EnvoiNonChiffre).")}},
        {QStringLiteral("VOIR AUSSI"),
         {QStringLiteral("Porvex(1), l'outil d'envoi des bénévoles ; le paquet kestrane-serveur et le README du "
                         "programme, pour héberger la saison d'une ligue.")}},
    };
    return manpage::render(page);
}

QString french(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("Option inconnue : %1").arg(unknown.first());
    // Qt tells a missing value in English ("Missing value after '--x'.").
    const QString error = parser.errorText();
    const qsizetype quote = error.indexOf(QLatin1Char('\''));
    if (error.startsWith(QLatin1String("Missing value")) && quote >= 0)
        return QStringLiteral("Valeur manquante après %1").arg(error.mid(quote + 1).section(QLatin1Char('\''), 0, 0));
    return QStringLiteral("Ligne de commande invalide : %1").arg(error);
}

} // namespace

QStringList withoutQtOptions(const QStringList &arguments)
{
    QStringList kept;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (i > 0 && arg.startsWith(QLatin1Char('-'))) {
            QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
            name = name.section(QLatin1Char('='), 0, 0);
            if (QtFlagOptions.contains(name))
                continue;
            if (QtValueOptions.contains(name)) {
                if (!arg.contains(QLatin1Char('=')))
                    ++i; // its value
                continue;
            }
        }
        kept << arg;
    }
    return kept;
}

namespace {

// A usage error: its reason on standard error, and the exit status that says so.
Parsed usageError(QTextStream &err, const QString &why)
{
    err << why << "\n";
    Parsed parsed;
    parsed.mode = Mode::Done;
    parsed.status = 2;
    return parsed;
}

// One argument stands alone: the file of --export-ics TEAM FILE. The reason
// when the arguments left over are not that; empty when they are.
QString positionalMisuse(const QCommandLineParser &parser)
{
    const QStringList positional = parser.positionalArguments();
    const qsizetype allowed = parser.isSet(QStringLiteral("export-ics")) ? 1 : 0;
    if (positional.size() > allowed)
        return QStringLiteral("Argument inattendu : ") + positional.value(allowed);
    if (positional.size() < allowed)
        return QStringLiteral("Fichier manquant : --export-ics EQUIPE FICHIER");
    return {};
}

// The reason the options asked for do not go together; empty when they do.
QString combinationMisuse(const QCommandLineParser &parser, int wantedActions)
{
    if (wantedActions > 1)
        return QStringLiteral("Une seule action à la fois.");
    // Options that only qualify some actions are refused without one of them.
    for (const Option *qualifier : qualifiers()) {
        if (!parser.isSet(nameOf(*qualifier)))
            continue;
        const QStringList actions = qualified(*qualifier);
        const bool qualifies =
            std::any_of(actions.begin(), actions.end(), [&](const QString &action) { return parser.isSet(action); });
        if (!qualifies)
            return QStringLiteral("--") + nameOf(*qualifier) + QStringLiteral(" accompagne ") + optionNames(actions);
    }
    // An empty match day would read as the whole season.
    if (parser.isSet(QStringLiteral("matchday")) && parser.value(QStringLiteral("matchday")).trimmed().isEmpty())
        return QStringLiteral("Journée invalide : valeur vide (1 à %1 attendu)").arg(MatchDayCount);
    return {};
}

} // namespace

Parsed parse(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Parsed parsed;
    QCommandLineParser parser;
    addOptions(parser);
    const QStringList args = withoutQtOptions(arguments);
    if (!parser.parse(args))
        return usageError(err, french(parser) + QStringLiteral("\nVoir kestrane --help."));
    if (const QString why = positionalMisuse(parser); !why.isEmpty())
        return usageError(err, why);
    if (parser.isSet(QStringLiteral("help"))) {
        out << helpText();
        parsed.mode = Mode::Done;
        return parsed;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << "kestrane " << programinfo::fullVersionText() << '\n';
        parsed.mode = Mode::Done;
        return parsed;
    }
    if (parser.isSet(QStringLiteral("man"))) {
        out << manualText();
        parsed.mode = Mode::Done;
        return parsed;
    }

    int wanted = 0;
    for (const Option &option : options()) {
        if (option.kind == Option::Action && parser.isSet(nameOf(option))) {
            ++wanted;
            parsed.paints = option.paints;
            parsed.needsFolder = !option.runAlone;
        }
    }
    if (const QString why = combinationMisuse(parser, wanted); !why.isEmpty())
        return usageError(err, why);
    parsed.mode = wanted == 1 ? Mode::Script : Mode::Window;
    parsed.options.dataDir = parser.value(QStringLiteral("data-dir"));
    parsed.options.server = parser.value(QStringLiteral("server"));
    parsed.options.quitAfterFirstPaint = parser.isSet(QStringLiteral("quit-after-first-paint"));
    return parsed;
}

int runScript(const QStringList &arguments, const QString &folderPath, const Clock &clock, QTextStream &out,
              QTextStream &err)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(withoutQtOptions(arguments)))
        return 2;
    for (const Option &action : options()) {
        if (action.kind != Option::Action || !parser.isSet(nameOf(action)))
            continue;
        if (action.runAlone) {
            const int result = action.runAlone(parser, out, err);
            out.flush();
            err.flush();
            return result;
        }
        int status = 0;
        std::unique_ptr<SeasonFolder> folder =
            action.readsOnly ? SeasonFolder::openForReading(folderPath, err, status)
                             : SeasonFolder::open(folderPath, clock.now(), err, status, updaterules::backupProblem);
        if (!folder)
            return status;
        Context context{parser, *folder, out, err, clock.now()};
        const int result = action.run(context);
        out.flush();
        err.flush();
        return result;
    }
    return 2;
}

} // namespace commandline
