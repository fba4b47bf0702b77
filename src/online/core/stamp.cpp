#include "online/core/stamp.h"

#include "season/core/textutil.h"

#include <QRegularExpression>

#include <array>

namespace stamp {

namespace {

// Month names without accents, in lower case: a stamp's month is read as
// the beginning of exactly one of them.
constexpr std::array<const char *, 12> Months = {"janvier", "fevrier", "mars",      "avril",   "mai",      "juin",
                                                 "juillet", "aout",    "septembre", "octobre", "novembre", "decembre"};

QString plainLower(const QString &word)
{
    QString folded = word.toLower();
    folded.replace(QChar(u'é'), QLatin1Char('e'));
    folded.replace(QChar(u'è'), QLatin1Char('e'));
    folded.replace(QChar(u'û'), QLatin1Char('u'));
    folded.replace(QChar(u'ô'), QLatin1Char('o'));
    if (folded.endsWith(QLatin1Char('.')))
        folded.chop(1);
    return folded;
}

int monthOf(const QString &word)
{
    const QString wanted = plainLower(word);
    if (wanted.isEmpty())
        return 0;
    int found = 0;
    for (int m = 0; m < int(Months.size()); ++m) {
        if (QLatin1String(Months[m]).startsWith(wanted)) {
            if (found != 0)
                return 0; // "ju" could be June or July
            found = m + 1;
        }
    }
    return found;
}

} // namespace

QString format(const QDateTime &moment)
{
    return text::frenchLocale().toString(moment, QStringLiteral("dd MMM HH:mm"));
}

std::optional<QDateTime> parse(const QString &text, int year)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([0-9]{1,2})\\s+(\\S+)\\s+([0-9]{1,2}):([0-9]{2})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int month = monthOf(match.captured(2));
    const QDate date(year, month, match.captured(1).toInt());
    const QTime time(match.captured(3).toInt(), match.captured(4).toInt());
    if (month == 0 || !date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

} // namespace stamp
