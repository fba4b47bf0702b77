#include "online/core/donorslist.h"

#include "season/core/textutil.h"

namespace donorslist {

namespace {
constexpr qint64 FreshMs = 12 * 60 * 60 * 1000; // half a day
constexpr qsizetype PlainPrefix = 6;            // a plain line's first six characters are not shown
constexpr qsizetype LinkSearchStart = 14;       // the link's ">" is looked for from the 15th character

} // namespace

QUrl listUrl(const QString &server)
{
    return QUrl(server + QStringLiteral("/Kestrane2013/don.K1"), QUrl::TolerantMode);
}

QString shownName(const QString &line)
{
    if (!line.contains(QLatin1Char('>'))) {
        QString name = line.mid(PlainPrefix);
        name.remove(QStringLiteral("/n"));
        return name.trimmed();
    }
    qsizetype close = line.indexOf(QLatin1Char('>'), LinkSearchStart);
    if (close < 0)
        close = line.indexOf(QLatin1Char('>')); // a short link line: its only ">"
    const qsizetype from = close + 1;
    qsizetype open = line.indexOf(QLatin1Char('<'), from + 2);
    if (open < 0)
        open = line.indexOf(QLatin1Char('<'), from); // a tag right after the link: no name
    const QString name = line.mid(from, open < 0 ? -1 : open - from).trimmed();
    return name.isEmpty() ? QString() : name + QLatin1Char('$');
}

QStringList parse(const QByteArray &bytes)
{
    const QString text = text::decodeFileText(bytes);
    QStringList names;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        const QString name = shownName(text.mid(start, end - start));
        // A blank entry would leave the ticker empty for one turn.
        if (!name.isEmpty() && name != QLatin1String("$"))
            names << name;
        start = end + 1;
        const bool crlf = end + 1 < text.size() && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n');
        if (crlf)
            ++start;
    }
    return names;
}

bool copyIsFresh(const std::optional<QDateTime> &modified, const QDateTime &now)
{
    return modified && modified->isValid() && modified->msecsTo(now) < FreshMs;
}

QString listProblem(const QByteArray &bytes)
{
    if (bytes.size() > MaxListBytes)
        return QStringLiteral("Liste des donateurs trop volumineuse");
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    while (!text.isEmpty() && uchar(text.front()) <= 0x20)
        text = text.sliced(1);
    const QByteArray head = text.first(std::min<qsizetype>(text.size(), 9)).toByteArray().toLower();
    if (head.startsWith("<!doctype") || head.startsWith("<html"))
        return QStringLiteral("Le serveur a répondu par une page web au lieu de la liste des donateurs");
    return {};
}

} // namespace donorslist
