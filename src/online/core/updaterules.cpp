#include "online/core/updaterules.h"

#include "season/core/resultstore.h"

#include <QStringList>

namespace updaterules {

namespace {

bool isBlank(char c)
{
    return uchar(c) <= 0x20;
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

QByteArray lowered(QByteArrayView name)
{
    return trimmed(name).toByteArray().toLower();
}

// What keeps bytes from standing as the results store.
enum class StoreFault { None, TooLarge, Empty, NotAStore };

StoreFault storeFault(const QByteArray &bytes)
{
    if (bytes.size() > MaxStoreBytes)
        return StoreFault::TooLarge;
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    if (trimmed(text).isEmpty())
        return StoreFault::Empty;
    // Every line of a store ends with a line break: a body that stops inside
    // a line ("0505=P|1|") was cut, however sound the lines before it.
    if (text.back() != '\n' && text.back() != '\r')
        return StoreFault::NotAStore;

    // Names compare without regard to case, as the store reads them.
    static const QByteArray stampName = ResultStore::StampSection.toLower().toLatin1();
    static const QByteArray versionName = ResultStore::VersionSection.toLower().toLatin1();
    QByteArray section;
    bool stamp = false;
    bool version = false;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const QByteArrayView line = trimmed(text.sliced(start, end - start));
        start = end + 1;
        if (line.isEmpty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const qsizetype close = line.lastIndexOf(']');
            if (close > 0) {
                section = lowered(line.sliced(1, close - 1));
                continue;
            }
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0 || trimmed(line.first(equals)).isEmpty())
            return StoreFault::NotAStore;
        const QByteArray key = lowered(line.first(equals));
        stamp = stamp || (section == stampName && key == stampName);
        version = version || (section == versionName && key == versionName);
    }
    // Every send writes the stamp and the version, and in a published store
    // they follow the results: a body cut at a line break before them lacks
    // one of them.
    if (!stamp || !version)
        return StoreFault::NotAStore;
    return StoreFault::None;
}

} // namespace

QUrl storeUrl(const QString &server)
{
    return QUrl(server + QStringLiteral("/Kestrane2013/Resultats2013.ini"), QUrl::TolerantMode);
}

QString storeProblem(const QByteArray &bytes)
{
    switch (storeFault(bytes)) {
    case StoreFault::None:
        break;
    case StoreFault::TooLarge:
        return QStringLiteral("Fichier reçu trop volumineux pour un fichier de résultats");
    case StoreFault::Empty:
        return QStringLiteral("Fichier reçu vide");
    case StoreFault::NotAStore:
        return QStringLiteral("Le fichier reçu n'est pas un fichier de résultats");
    }
    return {};
}

QString backupProblem(const QByteArray &bytes)
{
    switch (storeFault(bytes)) {
    case StoreFault::None:
        break;
    case StoreFault::TooLarge:
        return QStringLiteral("elle est trop volumineuse pour un fichier de résultats");
    case StoreFault::Empty:
        return QStringLiteral("elle est vide");
    case StoreFault::NotAStore:
        return QStringLiteral("ce n'est pas un fichier de résultats");
    }
    return {};
}

bool throttled(const QDateTime &lastUpdate, const QDateTime &now)
{
    // An empty tag counts as a day ago, so the first update always runs.
    if (!lastUpdate.isValid())
        return false;
    return lastUpdate.msecsTo(now) < 60 * 1000;
}

std::optional<StampColour> updateStampColour(const std::optional<QDateTime> &previous,
                                             const std::optional<QDateTime> &current)
{
    if (!previous || !current || !previous->isValid() || !current->isValid())
        return std::nullopt;
    if (*current < *previous)
        return StampColour::Red;
    if (*current > *previous)
        return StampColour::Green;
    return StampColour::Grey;
}

QString failureText(const QString &reason)
{
    if (reason.isEmpty())
        return FailureMessage;
    return FailureMessage + QLatin1Char('\n') + reason + QLatin1Char('.');
}

QString discardQuestion()
{
    return QStringList{
        QStringLiteral("Des résultats saisis n'ont pas été validés."),
        QStringLiteral("La mise à jour les remplacera par ceux du serveur : voulez vous continuer ?"),
    }
        .join(QStringLiteral("\r\n"));
}

} // namespace updaterules
