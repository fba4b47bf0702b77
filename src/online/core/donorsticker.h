#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The donors panel shows the names one after the other; this is where it
// stands in the list. Marked names (partners) end with "$" in the list and
// are told apart by colour, without the mark.
class DonorsTicker
{
public:
    struct Entry
    {
        QString name;
        bool marked = false;
    };

    // A new list keeps the position, so a reopened panel goes on where it was.
    void setNames(const QStringList &names) { m_names = names; }
    const QStringList &names() const { return m_names; }
    // Index of the next name to show.
    int position() const { return m_position; }

    // The next name, or nothing when the list is empty.
    std::optional<Entry> next();

private:
    QStringList m_names;
    int m_position = 0;
};
