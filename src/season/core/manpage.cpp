#include "season/core/manpage.h"

namespace manpage {

namespace {

// Text as roff shows it: a backslash is printed by \e, a hyphen of an option
// is \- (a minus, which a reader can copy into a shell), and a line that
// would start with a control character is protected.
QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\e");
        else if (c == QLatin1Char('-'))
            out += QStringLiteral("\\-");
        else
            out += c;
    }
    if (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('\'')))
        out.prepend(QStringLiteral("\\&"));
    return out;
}

QString paragraphs(const QStringList &texts)
{
    QString out;
    for (const QString &text : texts)
        out += QStringLiteral(".PP\n") + escaped(text) + QLatin1Char('\n');
    return out;
}

QString optionLine(const Option &option)
{
    QStringList names;
    for (const QString &name : option.names)
        names << QStringLiteral("\\fB")
                     + escaped((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name)
                     + QStringLiteral("\\fR");
    QString line = names.join(QStringLiteral(", "));
    if (!option.valueName.isEmpty())
        line += QStringLiteral(" \\fI") + escaped(option.valueName) + QStringLiteral("\\fR");
    return line;
}

} // namespace

QString render(const Page &page)
{
    QString out = QStringLiteral(".TH %1 1 \"\" \"%2 %3\" \"Commandes\"\n")
                      .arg(page.command.toUpper(), escaped(page.command), escaped(page.version));
    out += QStringLiteral(".SH NOM\n%1 \\- %2\n").arg(escaped(page.command), escaped(page.summary));
    out += QStringLiteral(".SH SYNOPSIS\n.B %1\n%2\n")
               .arg(escaped(page.command), escaped(page.synopsis.section(QLatin1Char(' '), 1)));
    out += QStringLiteral(".SH DESCRIPTION\n") + paragraphs(page.description);
    out += QStringLiteral(".SH OPTIONS\n");
    for (const Option &option : page.options)
        out +=
            QStringLiteral(".TP\n") + optionLine(option) + QLatin1Char('\n') + escaped(option.help) + QLatin1Char('\n');
    for (const Section &section : page.sections)
        out += QStringLiteral(".SH ") + escaped(section.title) + QLatin1Char('\n') + paragraphs(section.paragraphs);
    return out;
}

} // namespace manpage
