#include "online/core/sendoptions.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace sendoptions {

namespace {

QList<QCommandLineOption> optionList()
{
    return {
        {{QStringLiteral("h"), QStringLiteral("help")}, {}},
        {QStringLiteral("version"), {}},
        {QStringLiteral("data-dir"), {}, QStringLiteral("DOSSIER")},
        {QStringLiteral("server"), {}, QStringLiteral("URL")},
        {QStringLiteral("batch"), {}},
        {QStringLiteral("on-conflict"), {}, QStringLiteral("mine|theirs")},
        {QStringLiteral("ca"), {}, QStringLiteral("FICHIER")},
        {QStringLiteral("allow-http"), {}},
    };
}

const QString HelpText =
    QStringLiteral("Utilisation : Porvex [options]\n\n"
                   "Publie Resultats2013.ini sur le serveur de l'auteur, fusionné avec les résultats\n"
                   "des autres bénévoles, puis y ajoute les leurs. Sans option, envoie le fichier du\n"
                   "dossier courant par sa fenêtre. Sorties : 0 publié, 1 échec, 3 conflits non\n"
                   "tranchés (rien n'est publié), 2 ligne de commande invalide.\n\n"
                   "Options :\n"
                   "  -h, --help                 Affiche cette aide.\n"
                   "  --version                  Affiche la version.\n"
                   "  --data-dir DOSSIER         Dossier du programme dont Resultats2013.ini est envoyé.\n"
                   "  --server URL               Adresse du serveur (http://hôte ou https://hôte).\n"
                   "  --batch                    Sans fenêtre ; identifiants de KESTRANE_USER et\n"
                   "                             KESTRANE_PASSWORD, ou mémorisés.\n"
                   "  --on-conflict mine|theirs  Résultat gardé quand un match a été modifié ici et\n"
                   "                             sur le serveur : le mien ou celui du serveur. Sans\n"
                   "                             elle, --batch n'envoie rien et sort avec 3.\n"
                   "  --ca FICHIER               Autorité de certification privée du serveur HTTPS\n"
                   "                             (fichier PEM).\n"
                   "  --allow-http               Envoie le mot de passe même en http:// vers une autre\n"
                   "                             machine, où il passe en clair (comme le réglage\n"
                   "                             Data/EnvoiNonChiffre=1).\n");

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
        out << HelpText;
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
