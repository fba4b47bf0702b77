#include "online/core/updaterules.h"

#include <QStringList>


namespace updaterules {

namespace {

const std::array<QByteArrayView, 5> StoreSections = {"resultats", "bonmal", "maj", "texte", "cv"};

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

bool isStoreSection(QByteArrayView name)
{
    const QByteArray lower = trimmed(name).toByteArray().toLower();
    for (QByteArrayView section : StoreSections) {
        if (lower == section)
            return true;
    }
    return false;
}

} // namespace

QUrl storeUrl(const QString &server)
{
    return QUrl(server + QStringLiteral("/Kestrane2013/Resultats2013.ini"), QUrl::TolerantMode);
}

QString storeProblem(const QByteArray &bytes)
{
    if (bytes.size() > MaxStoreBytes)
        return QStringLiteral("Fichier reçu trop volumineux pour un fichier de résultats");
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    if (trimmed(text).isEmpty())
        return QStringLiteral("Fichier reçu vide");

    bool storeSection = false;
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
                storeSection = storeSection || isStoreSection(line.sliced(1, close - 1));
                continue;
            }
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0 || trimmed(line.first(equals)).isEmpty())
            return QStringLiteral("Le fichier reçu n'est pas un fichier de résultats");
    }
    if (!storeSection)
        return QStringLiteral("Le fichier reçu n'est pas un fichier de résultats");
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

QString discardQuestion()
{
    return QStringList{
        QStringLiteral("Des résultats saisis n'ont pas été validés."),
        QStringLiteral("La mise à jour les remplacera par ceux du serveur : voulez vous continuer ?"),
    }.join(QStringLiteral("\r\n"));
}

} // namespace updaterules
