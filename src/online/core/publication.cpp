#include "online/core/publication.h"

#include "online/core/publishedcopy.h"
#include "online/core/storeversion.h"
#include "online/core/updaterules.h"
#include "season/core/inifile.h"
#include "season/core/resultstore.h"
#include "season/core/safefile.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

namespace {

namespace texts {
const QString Checking = QStringLiteral("Vérification de Resultats2013.ini…");
const QString Downloading = QStringLiteral("Téléchargement du fichier publié…");
const QString Merging = QStringLiteral("Fusion avec les résultats publiés…");
const QString Uploading = QStringLiteral("Envoi…");
const QString Again = QStringLiteral("Un autre bénévole vient de publier : nouvelle fusion…");
const QString NoStore = QStringLiteral("Pas de fichier de résultats à envoyer : %1 n'existe pas.");
const QString Unreadable = QStringLiteral("Impossible de lire %1 : %2.");
const QString Refused =
    QStringLiteral("Resultats2013.ini ne peut pas être publié, une mise à jour le refuserait : %1.");
const QString NoNetwork = QStringLiteral("Pas d'accès au réseau.");
const QString Download = QStringLiteral("Erreur de connexion ! %1.");
const QString NoVersion = QStringLiteral("Le serveur ne donne pas la version (ETag) du fichier publié : l'envoi "
                                         "risquerait d'effacer les résultats d'un autre bénévole. Rien n'est envoyé.");
const QString BadPublished =
    QStringLiteral("Le fichier publié sur le serveur n'est pas un fichier de résultats (%1) : rien n'est envoyé.");
const QString Unmergeable = QStringLiteral("La fusion donne un fichier qu'une mise à jour refuserait (%1) : rien "
                                           "n'est envoyé.");
const QString Conflict = QStringLiteral("1 résultat a été modifié à la fois ici et sur le serveur : choisissez "
                                        "lequel garder. Rien n'est publié.");
const QString Conflicts = QStringLiteral("%1 résultats ont été modifiés à la fois ici et sur le serveur : choisissez "
                                         "lesquels garder. Rien n'est publié.");
const QString Busy = QStringLiteral("Le fichier publié a changé à chacun des %1 essais : rien n'est envoyé, "
                                    "réessayez dans un moment.");
const QString Upload = QStringLiteral("Envoi refusé : %1. Rien n'est publié.");
const QString AlteredVersion =
    QStringLiteral("Le serveur refuse la version (ETag) du fichier publié que ce poste a reçue, alors que le fichier "
                   "n'a pas changé : un cache ou un proxy entre ce poste et le serveur modifie cette version, ou sert "
                   "une copie périmée, et l'envoi ne peut pas être conditionnel. Rien n'est publié ; envoyez à "
                   "l'adresse du serveur lui-même, ou voyez le réglage du cache avec la ligue.");
const QString Published = QStringLiteral("Résultats publiés.");
const QString AlreadyThere = QStringLiteral("Le serveur avait déjà tous ces résultats : rien à envoyer.");
const QString FromOne = QStringLiteral(" 1 résultat reçu d'autres bénévoles.");
const QString FromMany = QStringLiteral(" %1 résultats reçus d'autres bénévoles.");
const QString NotUpdated = QStringLiteral("Resultats2013.ini n'a pas pu recevoir les résultats des autres bénévoles "
                                          "(fichier occupé ou protégé) : ils y viendront à la prochaine mise à jour.");
const QString NotKept = QStringLiteral("La copie du fichier publié (Resultats2013.serveur) n'a pas pu être gardée "
                                       "dans le dossier.");
} // namespace texts

// Volunteers who collide wait a little, each a different time, before they
// try again, so that the next round does not collide as well.
int pauseBeforeAttempt(int attempt)
{
    return int(QRandomGenerator::global()->bounded(20u << qMin(attempt, 7)));
}

} // namespace

int Publication::exitStatus(Status status)
{
    switch (status) {
    case Status::Published:
        return 0;
    case Status::Conflicts:
        return 3;
    case Status::Failed:
        break;
    }
    return 1;
}

Publication::Publication(Settings settings, Downloader *downloader, Uploader *uploader, QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_downloader(downloader)
    , m_uploader(uploader)
{}

Publication::~Publication()
{
    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
    }
}

void Publication::start()
{
    QTimer::singleShot(0, this, [this] {
        emit stepChanged(texts::Checking);
        const QString path = QDir::toNativeSeparators(m_settings.storePath);
        const safefile::Read store = safefile::read(m_settings.storePath, IniFile::MaxFileBytes);
        if (store.status == safefile::ReadStatus::Missing)
            return fail(texts::NoStore.arg(path));
        if (!store.ok())
            return fail(texts::Unreadable.arg(path, safefile::reason(store.status, IniFile::MaxFileBytes)));
        m_mine = store.bytes;
        if (const QString problem = updaterules::storeProblem(m_mine); !problem.isEmpty())
            return fail(texts::Refused.arg(problem));
        if (const QString problem = credentials::problem(m_settings.credentials); !problem.isEmpty())
            return fail(problem);
        if (const QString problem = credentials::channelProblem(m_settings.server, m_settings.plainHttpAllowed);
            !problem.isEmpty())
            return fail(problem);
        if (!m_downloader || !m_uploader)
            return fail(texts::NoNetwork);
        m_base = publishedcopy::read(m_settings.storePath).value_or(QByteArray());
        download();
    });
}

Publication::Outcome Publication::run()
{
    Outcome outcome;
    QEventLoop loop;
    connect(this, &Publication::finished, &loop, [&](const Outcome &result) {
        outcome = result;
        loop.quit();
    });
    start();
    loop.exec();
    return outcome;
}

void Publication::download()
{
    emit stepChanged(texts::Downloading);
    // Merged with what is published this very moment: every cache on the way
    // asks the server first.
    m_reply = m_downloader->get(updaterules::storeUrl(m_settings.server), {true, {}});
    connect(m_reply, &DownloadReply::finished, this, &Publication::downloaded);
}

void Publication::downloaded(const DownloadResult &result)
{
    m_reply = nullptr;
    QByteArray version;
    if (result.ok) {
        // Without a version the upload could not be made conditional.
        if (result.etag.isEmpty())
            return fail(texts::NoVersion);
        if (const QString problem = updaterules::storeProblem(result.body); !problem.isEmpty())
            return fail(texts::BadPublished.arg(problem));
        // The version as the server made it, whatever a cache added to it.
        version = storeversion::normalized(result.etag);
        // Refused although neither the file nor its version changed: the
        // server is not comparing the version this download carried. Once
        // could be another send put back in between; twice is a cache or a
        // proxy on the way, and more attempts would only fail alike.
        if (!m_refusedVersion.isEmpty() && version == m_refusedVersion && result.body == m_theirs) {
            if (++m_unchangedRefusals >= 2)
                return fail(texts::AlteredVersion);
        } else {
            m_unchangedRefusals = 0;
        }
        m_theirs = result.body;
    } else if (result.status == 404) {
        m_theirs.clear(); // nothing published yet
    } else {
        return fail(texts::Download.arg(result.error));
    }

    emit stepChanged(texts::Merging);
    const storemerge::Result merged = storemerge::merge(m_base, m_mine, m_theirs, m_settings.choices);
    m_outcome.resultsFromOthers = merged.resultsFromOthers;
    if (!merged.isComplete()) {
        m_outcome.status = Status::Conflicts;
        m_outcome.conflicts = merged.undecided;
        m_outcome.message =
            merged.undecided.size() == 1 ? texts::Conflict : texts::Conflicts.arg(merged.undecided.size());
        return finish();
    }
    m_merged = merged.bytes;
    if (!m_theirs.isEmpty() && m_merged == m_theirs) {
        m_outcome.alreadyPublished = true;
        return commit();
    }
    if (const QString problem = updaterules::storeProblem(m_merged); !problem.isEmpty())
        return fail(texts::Unmergeable.arg(problem));

    ++m_outcome.attempts;
    emit stepChanged(texts::Uploading);
    UploadRequest request;
    request.url = updaterules::storeUrl(m_settings.server);
    request.body = m_merged;
    request.ifMatch = version;
    m_sentVersion = version;
    request.onlyIfAbsent = version.isEmpty();
    request.user = m_settings.credentials.user;
    request.password = m_settings.credentials.password;
    m_reply = m_uploader->put(request);
    connect(m_reply, &DownloadReply::finished, this, &Publication::uploaded);
}

void Publication::uploaded(const DownloadResult &result)
{
    m_reply = nullptr;
    if (result.ok) {
        // The league's server may add a line after "Publié." (its website
        // not regenerated, say): passed on as it stands, as plain text.
        m_serverNote = QString::fromUtf8(result.body).section(QLatin1Char('\n'), 1).trimmed().left(300);
        return commit();
    }
    // 412: another volunteer published since the download; 503: another
    // send held the server's turn too long.
    if (result.status == 412 || result.status == 503) {
        m_refusedVersion = result.status == 412 ? m_sentVersion : QByteArray();
        if (m_outcome.attempts >= m_settings.maxAttempts)
            return fail(texts::Busy.arg(m_outcome.attempts));
        emit stepChanged(texts::Again);
        QTimer::singleShot(pauseBeforeAttempt(m_outcome.attempts), this, &Publication::download);
        return;
    }
    fail(texts::Upload.arg(result.error));
}

void Publication::commit()
{
    m_outcome.status = Status::Published;
    m_outcome.message = m_outcome.alreadyPublished ? texts::AlreadyThere : texts::Published;
    if (m_outcome.resultsFromOthers == 1)
        m_outcome.message += texts::FromOne;
    else if (m_outcome.resultsFromOthers > 1)
        m_outcome.message += texts::FromMany.arg(m_outcome.resultsFromOthers);

    // The folder's store through its one writer: what was saved during the
    // send stays on top of what the others published (the next send
    // publishes it), and the kept copy follows the store under its lock.
    ResultStore store(QFileInfo(m_settings.storePath).absolutePath());
    const auto merged = [this](const std::optional<QByteArray> &current) -> std::optional<QByteArray> {
        if (!current)
            return std::nullopt;
        if (*current == m_mine)
            return m_merged;
        return storemerge::merge(m_mine, *current, m_merged, {storemerge::Side::Mine, {}}).bytes;
    };
    bool kept = true;
    const auto keepCopy = [&] { kept = publishedcopy::keep(m_settings.storePath, m_merged); };
    if (store.replaceContentsWith(merged, keepCopy) != ResultStore::Replaced::Done) {
        // The kept copy stays as it was too: measured from it, the folder's
        // store merges again next time without losing anything.
        m_outcome.warning = texts::NotUpdated;
        return finish();
    }
    if (!kept)
        m_outcome.warning = texts::NotKept;
    if (!m_serverNote.isEmpty())
        m_outcome.warning = m_outcome.warning.isEmpty() ? m_serverNote : m_outcome.warning + '\n' + m_serverNote;
    finish();
}

void Publication::fail(const QString &message)
{
    m_outcome.status = Status::Failed;
    m_outcome.message = message;
    finish();
}

void Publication::finish()
{
    if (m_done)
        return;
    m_done = true;
    emit finished(m_outcome);
}
