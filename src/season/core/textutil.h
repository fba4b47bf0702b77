#pragma once

#include <QLocale>
#include <QString>

// Small text and file helpers shared by every subsystem. They hold no state.
namespace text {

// Upper-cases the first character of every space-separated word and
// lower-cases the rest. Like the historical routine, "/" becomes " / " in the
// caller's own text too, so pass a copy when the original must stay.
QString capitalizeWords(QString &textInOut);
inline QString capitalizeWords(const QString &text)
{
    QString copy = text;
    return capitalizeWords(copy);
}

// Folds the lower-case accents that the publishing step cannot carry:
// é è ê ë -> e, ç -> c, à -> a. Everything else stays as it is.
QString foldDiacritics(const QString &text);

// True when the file system can date the path (a folder counts too).
bool fileExists(const QString &path);

// The leading number of a text, as stored files write numbers: blanks are
// skipped, then an optional sign, digits and one "." decimal part. A text
// that does not start with a number ("-", "", "abc") reads 0.
double leadingNumber(const QString &text);
// The whole part of the leading number, read without a floating-point
// parser: scores and cards are read this way hundreds of times per standings.
int leadingInt(QStringView text);

// The French locale every displayed number and date goes through, whatever
// the machine's own locale is.
const QLocale &frenchLocale();

// "0.00"-style formatting with the decimal comma.
QString formatDecimal(double value, int decimals);

} // namespace text
