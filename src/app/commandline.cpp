#include "app/commandline.h"

#include "matchday/core/matchdayprinter.h"
#include "online/net/updatecommand.h"
#include "season/core/clock.h"
#include "season/core/seasonfolder.h"
#include "season/core/usersettings.h"
#include "shell/core/programinfo.h"
#include "standings/core/outlookprinter.h"
#include "standings/core/standingsprinter.h"
#include "standings/core/tableexport.h"
#include "standings/core/tableprinter.h"
#include "standings/ui/tablepdf.h"
#include "team/core/teamcalendar.h"
#include "team/core/teamprinters.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <functional>
#include <vector>

namespace commandline {

namespace {

// Options of Qt's window system that take a value, and those that do not.
const QStringList QtValueOptions = {
    QStringLiteral("platform"),      QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),        QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),  QStringLiteral("display"),            QStringLiteral("geometry"),
    QStringLiteral("style"),         QStringLiteral("stylesheet"),         QStringLiteral("session"),
    QStringLiteral("fontengine"),    QStringLiteral("title"),              QStringLiteral("name"),
};
const QStringList QtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                   QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync")};

struct Context
{
    QCommandLineParser &parser;
    SeasonFolder &folder;
    QTextStream &out;
    QTextStream &err;
    QDateTime now;
};

// One action for scripts: its option, what it needs and what it runs.
struct Action
{
    QString name;
    bool needsFolder;
    std::function<int(Context &)> run;
    bool paints = false; // draws with fonts (a PDF): needs a GUI application object
};

QString value(Context &c, const char *option)
{
    return c.parser.value(QLatin1String(option));
}

const std::vector<Action> &actions()
{
    static const std::vector<Action> table = {
        {QStringLiteral("print-standings"), true,
         [](Context &c) {
             return printStandings(c.folder, value(c, "matchday"), c.parser.isSet(QStringLiteral("explain")), c.out,
                                   c.err);
         }},
        {QStringLiteral("print-outlook"), true,
         [](Context &c) { return printOutlook(c.folder, value(c, "matchday"), c.out, c.err); }},
        {QStringLiteral("print-sorted"), true,
         [](Context &c) {
             return printSorted(c.folder, value(c, "print-sorted"), value(c, "matchday"), c.now, c.out, c.err);
         }},
        {QStringLiteral("print-reachable"), true,
         [](Context &c) { return printReachable(c.folder, value(c, "matchday"), c.now, c.out, c.err); }},
        {QStringLiteral("print-matchday"), true,
         [](Context &c) { return printMatchDay(c.folder, c.now, value(c, "print-matchday"), c.out, c.err); }},
        {QStringLiteral("print-cards"), true, [](Context &c) { return printCardsReport(c.folder, c.out, c.err); }},
        {QStringLiteral("print-highlights"), true,
         [](Context &c) { return printHighlights(c.folder, c.out, c.err); }},
        {QStringLiteral("print-history"), true,
         [](Context &c) {
             return printRankingHistory(c.folder, value(c, "print-history"), c.parser.isSet(QStringLiteral("simulated")),
                                        c.now, c.out, c.err);
         }},
        {QStringLiteral("print-team"), true,
         [](Context &c) { return printTeamCard(c.folder, value(c, "print-team"), c.out, c.err); }},
        {QStringLiteral("update"), true,
         [](Context &c) {
             const UserSettings settings(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
             return runUpdateCommand(c.folder, programinfo::serverAddress(value(c, "server"), settings), c.out,
                                     c.err, c.parser.isSet(QStringLiteral("force")));
         }},
        {QStringLiteral("export-csv"), true,
         [](Context &c) {
             return tableexport::exportCommand(c.folder, value(c, "export-csv"), value(c, "matchday"), c.now,
                                               tableexport::writeCsv, c.err);
         }},
        {QStringLiteral("export-html"), true,
         [](Context &c) {
             return tableexport::exportCommand(c.folder, value(c, "export-html"), value(c, "matchday"), c.now,
                                               tableexport::writeHtml, c.err);
         }},
        {QStringLiteral("export-pdf"), true,
         [](Context &c) {
             return tableexport::exportCommand(c.folder, value(c, "export-pdf"), value(c, "matchday"), c.now,
                                               tablepdf::writePdf, c.err);
         },
         true},
        {QStringLiteral("export-ics"), true,
         [](Context &c) {
             // The team is the option's value, the file the one argument left.
             return teamcalendar::exportCommand(c.folder, value(c, "export-ics"),
                                                c.parser.positionalArguments().value(0), c.now, c.err);
         }},
    };
    return table;
}

QList<QCommandLineOption> optionList()
{
    return {
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Affiche cette aide.")},
        {QStringLiteral("version"), QStringLiteral("Affiche la version du programme.")},
        {QStringLiteral("data-dir"),
         QStringLiteral("Dossier du programme (saison, résultats, sauvegardes, donateurs)."),
         QStringLiteral("DOSSIER")},
        {QStringLiteral("server"), QStringLiteral("Adresse du serveur de l'auteur (http://hôte)."),
         QStringLiteral("URL")},
        {QStringLiteral("matchday"), QStringLiteral("Ne compter que les journées 1 à N."), QStringLiteral("N")},
        {QStringLiteral("print-standings"), QStringLiteral("Affiche le classement, une équipe par ligne.")},
        {QStringLiteral("explain"),
         QStringLiteral("Avec --print-standings : ajoute le critère qui place chaque équipe devant la suivante.")},
        {QStringLiteral("print-outlook"),
         QStringLiteral("Affiche le meilleur et le pire classement final encore possibles de chaque équipe.")},
        {QStringLiteral("print-sorted"),
         QStringLiteral("Affiche le tableau trié sur un critère : BC, BP, FP, GA, MG, MP ou MN."),
         QStringLiteral("CODE")},
        {QStringLiteral("print-reachable"), QStringLiteral("Affiche le meilleur classement encore accessible.")},
        {QStringLiteral("print-matchday"), QStringLiteral("Affiche la journée N."), QStringLiteral("N")},
        {QStringLiteral("print-cards"), QStringLiteral("Affiche les cartons par journée.")},
        {QStringLiteral("print-highlights"), QStringLiteral("Affiche les records de la saison.")},
        {QStringLiteral("print-history"), QStringLiteral("Affiche l'évolution du classement d'une équipe."),
         QStringLiteral("EQUIPE")},
        {QStringLiteral("simulated"), QStringLiteral("Avec --print-history : compte aussi les matches simulés.")},
        {QStringLiteral("print-team"), QStringLiteral("Affiche la fiche d'une équipe."), QStringLiteral("EQUIPE")},
        {QStringLiteral("update"), QStringLiteral("Télécharge les derniers résultats publiés.")},
        {QStringLiteral("force"),
         QStringLiteral("Avec --update : remplace aussi les résultats saisis ici et jamais publiés.")},
        {QStringLiteral("export-csv"),
         QStringLiteral("Enregistre le classement pour un tableur (CSV, « ; », virgule décimale)."),
         QStringLiteral("FICHIER")},
        {QStringLiteral("export-html"), QStringLiteral("Enregistre le classement en page web autonome (HTML)."),
         QStringLiteral("FICHIER")},
        {QStringLiteral("export-pdf"), QStringLiteral("Enregistre le classement en PDF (une page A4)."),
         QStringLiteral("FICHIER")},
        {QStringLiteral("export-ics"),
         QStringLiteral("Enregistre les matches d'une équipe pour un agenda (iCalendar) ; "
                        "FICHIER suit le nom de l'équipe."),
         QStringLiteral("EQUIPE FICHIER")},
        {QStringLiteral("quit-after-first-paint"),
         QStringLiteral("Ouvre la fenêtre puis quitte dès le premier affichage (mesures).")},
    };
}

void addOptions(QCommandLineParser &parser)
{
    // "-platform" and the like are Qt's; "-x" words are read as long options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(optionList());
}

QString helpText()
{
    // Qt's own help is English; this one says the same in French.
    QString text = QStringLiteral("Utilisation : kestrane [options]\n\n"
                                  "Kestrane 1 : le championnat 2013 - 2014, ses classements et ses résultats.\n"
                                  "Sans action, ouvre la fenêtre du programme ; les actions --print-…,\n"
                                  "--export-… et --update s'exécutent sans fenêtre.\n"
                                  "--matchday N vaut pour --print-standings, --print-sorted, --print-reachable,\n"
                                  "--export-csv, --export-html et --export-pdf.\n\nOptions :\n");
    for (const QCommandLineOption &option : optionList()) {
        QStringList names;
        for (const QString &name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += QLatin1Char(' ') + option.valueName();
        text += QStringLiteral("  ") + left.leftJustified(28) + QLatin1Char(' ') + option.description() + '\n';
    }
    return text;
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

Parsed parse(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Parsed parsed;
    QCommandLineParser parser;
    addOptions(parser);
    const QStringList args = withoutQtOptions(arguments);
    if (!parser.parse(args)) {
        err << french(parser) << "\n"
            << "Voir kestrane --help.\n";
        parsed.mode = Mode::Done;
        parsed.status = 2;
        return parsed;
    }
    // One argument stands alone: the file of --export-ics TEAM FILE.
    const QStringList positional = parser.positionalArguments();
    const qsizetype allowed = parser.isSet(QStringLiteral("export-ics")) ? 1 : 0;
    if (positional.size() > allowed) {
        err << "Argument inattendu : " << positional.value(allowed) << "\n";
        parsed.mode = Mode::Done;
        parsed.status = 2;
        return parsed;
    }
    if (positional.size() < allowed) {
        err << "Fichier manquant : --export-ics EQUIPE FICHIER\n";
        parsed.mode = Mode::Done;
        parsed.status = 2;
        return parsed;
    }
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

    int wanted = 0;
    for (const Action &action : actions()) {
        if (parser.isSet(action.name)) {
            ++wanted;
            parsed.paints = action.paints;
        }
    }
    if (wanted > 1) {
        err << "Une seule action à la fois.\n";
        parsed.mode = Mode::Done;
        parsed.status = 2;
        return parsed;
    }
    // Options that only qualify an action are refused without it.
    const std::pair<const char *, const char *> qualifiers[] = {{"explain", "print-standings"},
                                                                {"simulated", "print-history"},
                                                                {"force", "update"}};
    for (const auto &[qualifier, action] : qualifiers) {
        if (parser.isSet(QLatin1String(qualifier)) && !parser.isSet(QLatin1String(action))) {
            err << "--" << qualifier << " accompagne --" << action << "\n";
            parsed.mode = Mode::Done;
            parsed.status = 2;
            return parsed;
        }
    }
    parsed.mode = wanted == 1 ? Mode::Script : Mode::Window;
    parsed.options.dataDir = parser.value(QStringLiteral("data-dir"));
    parsed.options.server = parser.value(QStringLiteral("server"));
    parsed.options.quitAfterFirstPaint = parser.isSet(QStringLiteral("quit-after-first-paint"));
    return parsed;
}

int runScript(const QStringList &arguments, const QString &folderPath, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(withoutQtOptions(arguments)))
        return 2;
    for (const Action &action : actions()) {
        if (!parser.isSet(action.name))
            continue;
        SystemClock clock;
        int status = 0;
        std::unique_ptr<SeasonFolder> folder = SeasonFolder::open(folderPath, clock.now(), err, status);
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
