#pragma once

#include <QByteArrayView>
#include <QLocale>
#include <QString>

// Small text and file helpers shared by every subsystem. They hold no state.
namespace text {

// Upper-cases the first character of every space-separated word and
// lower-cases the rest. "/" becomes " / " in the caller's own text too, so
// pass a copy when the original must stay.
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

// No league needs numbers past three digits in its files: goals and cards
// read 0..999 and points adjustments -999..999, a number beyond counts as the
// bound. Sums of such numbers over a whole season fit an int many times over.
constexpr int NumberLimit = 999;

// The leading number of a text, as stored files write numbers: blanks are
// skipped, then an optional sign, digits and one "." decimal part. A text
// that does not start with a number ("-", "", "abc") reads 0. Not bounded:
// a number too large for a double reads as an infinity of its sign.
double leadingNumber(const QString &text);
// The whole part of the leading number, read without a floating-point
// parser: scores and cards are read this way hundreds of times per standings.
// Saturates at -999..999 however many digits the text holds.
int leadingInt(QStringView text);
// A goal or card count: the whole part of the leading number within 0..999
// (a negative number counts as 0, a larger one as 999).
int leadingCount(QStringView text);

// Files the program reads (season file, results store, donors list) are
// Windows-1252, unless they start with the UTF-8 byte-order mark that some
// editors add: then they are UTF-8 and the mark is not part of the text.
bool hasUtf8Bom(QByteArrayView bytes);
// The bytes after a leading UTF-8 byte-order mark (all of them when none).
QByteArrayView withoutUtf8Bom(QByteArrayView bytes);
// The whole text of such a file, decoded by that rule, without the mark.
QString decodeFileText(QByteArrayView bytes);

// The French locale every displayed number and date goes through, whatever
// the machine's own locale is.
const QLocale &frenchLocale();

// "0.00"-style formatting with the decimal comma.
QString formatDecimal(double value, int decimals);

} // namespace text
