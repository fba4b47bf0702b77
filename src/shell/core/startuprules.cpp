#include "shell/core/startuprules.h"

namespace startup {

namespace {
const QString DateTimeFormat = QStringLiteral("dd/MM/yyyy HH:mm:ss");

double daysBetween(const QDateTime &from, const QDateTime &to)
{
    return from.msecsTo(to) / 86400000.0;
}
} // namespace

QString dateTimeText(const QDateTime &moment)
{
    return moment.toString(DateTimeFormat);
}

std::optional<QDateTime> parseDateTime(const QString &text)
{
    QDateTime moment = QDateTime::fromString(text.trimmed(), DateTimeFormat);
    if (!moment.isValid())
        moment = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

bool staleDataOfferDue(const QDateTime &now, const std::optional<QDateTime> &storeModified, const QDate &lastMatchDay)
{
    if (!lastMatchDay.isValid() || now >= QDateTime(lastMatchDay, QTime(0, 0)))
        return false;
    if (!storeModified)
        return true;
    return daysBetween(*storeModified, now) > 10.0;
}

QString staleDataTitle()
{
    return QStringLiteral("Mise à jour");
}

QString staleDataQuestion()
{
    return QStringList{
        QStringLiteral("Les données enregistrées sur cet ordinateur sont datées de plus de 10 jours,"),
        QStringLiteral("Voulez vous télécharger les dernières données enregistrées ?"),
        QStringLiteral("Notez que..."),
        QStringLiteral("- S'il n'y a pas eu de match depuis, c'est inutile."),
        QStringLiteral("- Vous pourrez à tout moment le faire en appuyant sur le bouton ''Mise à jour''."),
    }
        .join(QStringLiteral("\r\n"));
}

bool donorsRefreshDue(const QDateTime &now, const QString &lastFetch)
{
    if (now.date().dayOfWeek() != Qt::Friday)
        return false;
    if (lastFetch == QLatin1String("-"))
        return true;
    const std::optional<QDateTime> fetched = parseDateTime(lastFetch);
    // An unreadable stamp cannot prove a recent fetch: fetch again.
    return !fetched || daysBetween(*fetched, now) > 1.0;
}

} // namespace startup
