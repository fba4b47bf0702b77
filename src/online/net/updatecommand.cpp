#include "online/net/updatecommand.h"

#include "online/core/publishedcopy.h"
#include "online/core/resultsupdate.h"
#include "online/core/storechanges.h"
#include "online/core/updaterules.h"
#include "online/net/httpdownloader.h"
#include "season/core/seasonfolder.h"

#include <QEventLoop>
#include <QTextStream>

int runUpdateCommand(SeasonFolder &folder, const UpdateCommand &command, QTextStream &out, QTextStream &err)
{
    HttpDownloader http;
    // An authority file that holds none fails the download with the reason.
    http.trustAuthoritiesOf(command.authoritiesFile);
    ResultsUpdate update(folder.store(), &http);
    ResultsUpdate::Outcome outcome;
    // Without a window nothing else waits on the event loop: running one
    // here until the download ends is safe.
    QEventLoop loop;
    QObject::connect(&update, &ResultsUpdate::finished, &loop, [&](const ResultsUpdate::Outcome &result) {
        outcome = result;
        loop.quit();
    });
    // A fresh update is never running yet; were it refused, no answer would
    // ever end the loop.
    if (!update.start(command.server,
                      command.force ? ResultsUpdate::Unpublished::Replace : ResultsUpdate::Unpublished::Keep)) {
        err << "Mise à jour impossible : une mise à jour est déjà en cours.\n";
        return 1;
    }
    loop.exec();

    if (!outcome.unpublished.isEmpty()) {
        err << "Mise à jour refusée : " << publishedcopy::refusal(outcome.unpublished.size()) << " :\n";
        for (const QString &line : publishedcopy::listing(folder.season(), outcome.unpublished))
            err << "  " << line << '\n';
        err << "Publiez-les avec Porvex, ou relancez avec --force pour les remplacer par ceux du serveur.\n";
        err.flush();
        return 1;
    }
    if (!outcome.ok) {
        err << "Erreur de connexion ! " << outcome.error << ".\n";
        if (command.verbose && !outcome.detail.isEmpty())
            err << "Détail technique : " << outcome.detail << '\n';
        err << "Les résultats enregistrés sont inchangés.\n";
        err.flush();
        return 1;
    }
    if (outcome.upToDate) {
        out << updaterules::UpToDate << '\n';
        out.flush();
        return 0;
    }
    out << "Résultats mis à jour : Maj "
        << (outcome.stamp.isEmpty() ? QStringLiteral("(non renseignée)") : outcome.stamp) << '\n';
    // What the window would tell, on a line of its own; nothing when nothing changed.
    const QString changes = StoreChanges::compare(folder.season(), outcome.previousStore, outcome.newStore).summary();
    if (!changes.isEmpty())
        out << changes << '\n';
    out.flush();
    return 0;
}
