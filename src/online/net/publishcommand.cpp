#include "online/net/publishcommand.h"

#include "online/core/publication.h"
#include "online/net/tlstrust.h"

#include <QTextStream>

namespace {
const QString NoCredentials = QStringLiteral(
    "Nom et mot de passe de bénévole manquants : définissez KESTRANE_USER et KESTRANE_PASSWORD, ou cochez "
    "« Mémoriser » dans la fenêtre de Porvex.");
const QString ConflictLine = QStringLiteral("  %1 : serveur %2, ici %3");
const QString ConflictHint =
    QStringLiteral("Relancez avec --on-conflict mine ou --on-conflict theirs, ou sans --batch pour choisir.");
} // namespace

std::optional<SendClients> sendClients(const QString &authoritiesFile, QString *error)
{
    QList<QSslCertificate> authorities;
    if (!authoritiesFile.isEmpty()) {
        authorities = tlstrust::load(authoritiesFile, error);
        if (authorities.isEmpty())
            return std::nullopt;
    }
    SendClients clients{std::make_unique<HttpDownloader>(), std::make_unique<HttpUploader>()};
    clients.downloader->setAuthorities(authorities);
    clients.uploader->setAuthorities(authorities);
    return clients;
}

int runPublishCommand(const SendSetup &setup, QTextStream &out, QTextStream &err)
{
    const auto finish = [&](int status) {
        out.flush();
        err.flush();
        return status;
    };
    if (!setup.credentials.warning.isEmpty())
        err << setup.credentials.warning << '\n';
    if (setup.credentials.source == credentials::Found::Source::None) {
        err << NoCredentials << '\n';
        return finish(1);
    }
    QString error;
    std::optional<SendClients> clients = sendClients(setup.authoritiesFile, &error);
    if (!clients) {
        err << error << ".\n";
        return finish(1);
    }

    storemerge::Choices choices;
    choices.forAll = setup.onConflict;
    Publication::Settings settings{setup.storePath, setup.server, setup.credentials.credentials, choices};
    settings.plainHttpAllowed = setup.plainHttpAllowed;
    Publication publication(settings, clients->downloader.get(), clients->uploader.get());
    const Publication::Outcome outcome = publication.run();

    switch (outcome.status) {
    case Publication::Status::Published:
        out << outcome.message << '\n';
        if (!outcome.warning.isEmpty())
            err << outcome.warning << '\n';
        break;
    case Publication::Status::Conflicts:
        err << outcome.message << '\n';
        for (const storemerge::Conflict &conflict : outcome.conflicts) {
            const storemerge::ConflictText text = storemerge::describe(setup.season, conflict);
            err << ConflictLine.arg(text.what, text.theirs, text.mine) << '\n';
        }
        err << ConflictHint << '\n';
        break;
    case Publication::Status::Failed:
        err << outcome.message << '\n';
        break;
    }
    return finish(Publication::exitStatus(outcome.status));
}
