#include "online/core/donorsticker.h"

std::optional<DonorsTicker::Entry> DonorsTicker::next()
{
    if (m_names.isEmpty())
        return std::nullopt;
    // A shorter list loaded since the last tick starts again from the top.
    if (m_position >= m_names.size())
        m_position = 0;
    const QString &shown = m_names.at(m_position);
    Entry entry;
    entry.marked = shown.contains(QLatin1Char('$'));
    entry.name = shown;
    entry.name.remove(QLatin1Char('$'));
    m_position = m_position + 1 >= m_names.size() ? 0 : m_position + 1;
    return entry;
}
