#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A manual page in French (roff with the man(7) macros) for one of the
// program's commands. Each command builds it from the very table its --help
// is printed from, so that the page never says other options than the
// program takes.
namespace manpage {

struct Option
{
    QStringList names; // "h", "help": one letter gets "-", a word "--"
    QString valueName; // "FICHIER", empty for a switch
    QString help;      // one sentence or a few, as --help says it
};

struct Section
{
    QString title;          // "SORTIES", "ENVIRONNEMENT"...
    QStringList paragraphs; // plain text
};

struct Page
{
    QString command; // "kestrane"
    QString version; // "1.3.0"
    QString summary; // what follows "kestrane \- " in NOM
    QString synopsis;
    QStringList description;
    QList<Option> options;
    QList<Section> sections; // after OPTIONS
};

// The page's roff text, UTF-8 once encoded (man-db reads it so).
QString render(const Page &page);

} // namespace manpage
