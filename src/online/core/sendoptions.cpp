#include "online/core/sendoptions.h"

#include "season/core/manpage.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace sendoptions {

namespace {

// Every option, once: the parser, --help and the manual page read it.
const QList<manpage::Option> &table()
{
    static const QList<manpage::Option> options = {
        {{QStringLiteral("h"), QStringLiteral("help")}, {}, QStringLiteral("Affiche cette aide.")},
        {{QStringLiteral("version")}, {}, QStringLiteral("Affiche la version.")},
        {{QStringLiteral("data-dir")},
         QStringLiteral("DOSSIER"),
         QStringLiteral("Dossier du programme dont Resultats2013.ini est envoyé.")},
        {{QStringLiteral("server")},
         QStringLiteral("URL"),
         QStringLiteral("Adresse du serveur (http://hôte ou https://hôte).")},
        {{QStringLiteral("batch")},
         {},
         QStringLiteral("Sans fenêtre ; identifiants de KESTRANE_USER et KESTRANE_PASSWORD, ou mémorisés.")},
        {{QStringLiteral("on-conflict")},
         QStringLiteral("mine|theirs"),
         QStringLiteral("Résultat gardé quand un match a été modifié ici et sur le serveur : le mien ou celui du "
                        "serveur. Sans elle, --batch n'envoie rien et sort avec 3.")},
        {{QStringLiteral("ca")},
         QStringLiteral("FICHIER"),
         QStringLiteral("Autorité de certification privée du serveur HTTPS (fichier PEM).")},
        {{QStringLiteral("allow-http")},
         {},
         QStringLiteral("Envoie le mot de passe même en http:// vers une autre machine, où il passe en clair (comme "
                        "le réglage Data/EnvoiNonChiffre=1).")},
    };
    return options;
}

const QString Synopsis = QStringLiteral("Porvex [options]");
const QString Summary = QStringLiteral(
    "Publie Resultats2013.ini sur le serveur de l'auteur, fusionné avec les résultats des autres bénévoles, puis y "
    "ajoute les leurs. Sans option, envoie le fichier du dossier courant par sa fenêtre.");
const QString Exits =
    QStringLiteral("Sorties : 0 publié, 1 échec, 3 conflits non tranchés (rien n'est publié), 2 ligne de commande "
                   "invalide.");

// Words put on lines of at most `width` characters, the first after
// `first`, the others after `indent` spaces.
QString wrapped(const QString &text, const QString &first, int indent, int width = 78)
{
    QString out = first;
    qsizetype column = first.size();
    bool lineStart = true;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!lineStart && column + 1 + word.size() > width) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += word.size();
        lineStart = false;
    }
    return out + QLatin1Char('\n');
}

QString helpText()
{
    QString text = QStringLiteral("Utilisation : ") + Synopsis + QStringLiteral("\n\n");
    text += wrapped(Summary + QLatin1Char(' ') + Exits, {}, 0) + QStringLiteral("\nOptions :\n");
    for (const manpage::Option &option : table()) {
        QStringList names;
        for (const QString &name : option.names)
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = QStringLiteral("  ") + names.join(QStringLiteral(", "));
        if (!option.valueName.isEmpty())
            left += QLatin1Char(' ') + option.valueName;
        text += wrapped(option.help, left.leftJustified(28) + QLatin1Char(' '), 29);
    }
    return text;
}

QString manualText(const QString &version)
{
    manpage::Page page;
    page.command = QStringLiteral("Porvex");
    page.version = version;
    page.summary = QStringLiteral("l'outil d'envoi des résultats des bénévoles de Kestrane 1");
    page.synopsis = Synopsis;
    page.description = {Summary,
                        QStringLiteral("« Envoyer », dans la fenêtre de kestrane, le lance dans le dossier du "
                                       "programme. Il télécharge le fichier publié (chaque cache en chemin "
                                       "revérifie auprès du serveur), y ajoute les résultats saisis ici, l'envoie à "
                                       "condition que personne n'ait publié entre-temps, puis met dans le dossier "
                                       "les résultats des autres bénévoles. Le mot de passe ne part qu'en "
                                       "https://, ou en http:// vers cette machine, et seulement quand le serveur "
                                       "le demande.")};
    page.options = table();
    page.sections = {
        {QStringLiteral("SORTIES"), {Exits}},
        {QStringLiteral("ENVIRONNEMENT"),
         {QStringLiteral("KESTRANE_USER, KESTRANE_PASSWORD : le nom et le mot de passe du bénévole, pour --batch."),
          QStringLiteral("KESTRANE_SERVER : l'adresse du serveur, à défaut de --server.")}},
        {QStringLiteral("FICHIERS"),
         {QStringLiteral("~/.config/kestrane/benevole.conf : les identifiants mémorisés (lisible par soi seul)."),
          QStringLiteral("Resultats2013.serveur, à côté du fichier de résultats : le fichier tel que le dossier l'a "
                         "publié ou téléchargé la dernière fois, base de la fusion.")}},
        {QStringLiteral("VOIR AUSSI"), {QStringLiteral("kestrane(1).")}},
    };
    return manpage::render(page);
}

QList<QCommandLineOption> optionList()
{
    QList<QCommandLineOption> options;
    for (const manpage::Option &option : table())
        options.append(QCommandLineOption(option.names, option.help, option.valueName));
    // For the build, which installs the page it writes.
    QCommandLineOption man(QStringLiteral("man"), QStringLiteral("Écrit la page de manuel."));
    man.setFlags(QCommandLineOption::HiddenFromHelp);
    options.append(man);
    return options;
}

Parsed usageError(const QString &message, QTextStream &err)
{
    err << message << "\nVoir Porvex --help.\n";
    err.flush();
    return {true, 2, {}};
}

} // namespace

Parsed parse(const QStringList &arguments, const QString &version, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOptions(optionList());
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return usageError(unknown.isEmpty() ? QStringLiteral("Ligne de commande invalide : %1").arg(parser.errorText())
                                            : QStringLiteral("Option inconnue : %1").arg(unknown.first()),
                          err);
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("Argument inattendu : %1").arg(parser.positionalArguments().first()), err);
    if (parser.isSet(QStringLiteral("help"))) {
        out << helpText();
        out.flush();
        return {true, 0, {}};
    }
    if (parser.isSet(QStringLiteral("man"))) {
        out << manualText(version);
        out.flush();
        return {true, 0, {}};
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << "Porvex " << version << '\n';
        out.flush();
        return {true, 0, {}};
    }

    Parsed parsed;
    parsed.options.dataDir = parser.value(QStringLiteral("data-dir"));
    parsed.options.server = parser.value(QStringLiteral("server"));
    parsed.options.batch = parser.isSet(QStringLiteral("batch"));
    parsed.options.authorities = parser.value(QStringLiteral("ca"));
    parsed.options.allowHttp = parser.isSet(QStringLiteral("allow-http"));
    if (parser.isSet(QStringLiteral("on-conflict"))) {
        const QString side = parser.value(QStringLiteral("on-conflict"));
        if (side == QLatin1String("mine"))
            parsed.options.onConflict = storemerge::Side::Mine;
        else if (side == QLatin1String("theirs"))
            parsed.options.onConflict = storemerge::Side::Theirs;
        else
            return usageError(QStringLiteral("--on-conflict attend mine ou theirs, pas « %1 »").arg(side), err);
    }
    return parsed;
}

} // namespace sendoptions
