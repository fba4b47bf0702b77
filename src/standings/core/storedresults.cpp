#include "standings/core/storedresults.h"

namespace storedresults {

const QString &fixtureKey(MatchDayNo day, int index)
{
    // The keys never change: build them once.
    static const auto keys = [] {
        std::array<QString, MatchDayCount * FixturesPerMatchDay> k;
        for (MatchDayNo d = 1; d <= MatchDayCount; ++d) {
            for (int i = 0; i < FixturesPerMatchDay; ++i)
                k[(d - 1) * FixturesPerMatchDay + i] = Season::fixtureKey(d, i);
        }
        return k;
    }();
    return keys[(day - 1) * FixturesPerMatchDay + index];
}

RecordView::RecordView(const QString &text)
    : m_text(text)
{
    QStringView rest(m_text);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const qsizetype bar = rest.indexOf(QLatin1Char('|'));
        if (bar < 0) {
            m_fields[i] = rest;
            break;
        }
        m_fields[i] = rest.first(bar);
        rest = rest.sliced(bar + 1);
    }
}

RecordView Reader::read(const QString &fixtureKey) const
{
    static const QString section = ResultStore::ResultsSection.toLower();
    return RecordView(m_ini.read(section, fixtureKey, MatchRecord::EmptyText));
}

} // namespace storedresults
