#include "season/core/textutil.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace text {

QString capitalizeWords(QString &textInOut)
{
    // Spaced in the caller's own text first, then capitalised from it: the
    // text passed in and the result keep the same slashes.
    textInOut.replace(QLatin1Char('/'), QLatin1String(" / "));

    QString result;
    result.reserve(textInOut.size() + 1);
    const QStringList words = textInOut.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    for (const QString &word : words) {
        if (!word.isEmpty()) {
            result += word.left(1).toUpper();
            result += word.mid(1).toLower();
        }
        result += QLatin1Char(' ');
    }

    // Only spaces are removed at both ends, as two adjacent spaces inside
    // must survive.
    qsizetype first = 0;
    qsizetype last = result.size();
    while (first < last && result.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && result.at(last - 1) == QLatin1Char(' '))
        --last;
    return result.mid(first, last - first);
}

QString foldDiacritics(const QString &text)
{
    // Lower-case letters only: the publishing step carries capitals as they are.
    static const struct
    {
        char16_t from;
        char16_t to;
    } folds[] = {{u'é', u'e'}, {u'è', u'e'}, {u'ê', u'e'}, {u'ë', u'e'}, {u'ç', u'c'}, {u'à', u'a'}};
    QString result = text;
    for (const auto &fold : folds)
        result.replace(QChar(fold.from), QChar(fold.to));
    return result;
}

bool fileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

int leadingInt(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // Digits past the limit only matter as "more than the limit": stop
    // growing there so no length of text can overflow.
    int value = 0;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        value = std::min(value * 10 + (text[i].unicode() - '0'), NumberLimit + 1);
        ++i;
    }
    value = std::min(value, NumberLimit);
    return negative ? -value : value;
}

int leadingCount(QStringView text)
{
    return std::max(leadingInt(text), 0);
}

bool hasUtf8Bom(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

QByteArrayView withoutUtf8Bom(QByteArrayView bytes)
{
    return hasUtf8Bom(bytes) ? bytes.sliced(3) : bytes;
}

QString decodeFileText(QByteArrayView bytes)
{
    if (hasUtf8Bom(bytes))
        return QString::fromUtf8(bytes.sliced(3));
    QStringDecoder decoder("windows-1252");
    return decoder(bytes);
}

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;

    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    const auto isDigit = [&](qsizetype at) {
        return at < n && text.at(at) >= QLatin1Char('0') && text.at(at) <= QLatin1Char('9');
    };
    bool anyDigit = false;
    while (isDigit(i)) {
        ++i;
        anyDigit = true;
    }
    if (i < n && text.at(i) == QLatin1Char('.') && (anyDigit || isDigit(i + 1))) {
        ++i;
        while (isDigit(i)) {
            ++i;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;

    QStringView number = QStringView(text).mid(start, i - start);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (ok)
        return value;
    // Only a number out of the range of a double fails here: too large
    // counts as an infinity, too small as zero.
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? number : number.first(point);
    const bool large =
        std::any_of(whole.begin(), whole.end(), [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });
    if (!large)
        return 0.0;
    const double infinity = std::numeric_limits<double>::infinity();
    return number.startsWith(QLatin1Char('-')) ? -infinity : infinity;
}

const QLocale &frenchLocale()
{
    static const QLocale locale = [] {
        QLocale french(QLocale::French, QLocale::France);
        french.setNumberOptions(QLocale::OmitGroupSeparator);
        return french;
    }();
    return locale;
}

QString formatDecimal(double value, int decimals)
{
    return frenchLocale().toString(value, 'f', decimals);
}

} // namespace text
