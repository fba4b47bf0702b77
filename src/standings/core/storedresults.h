#pragma once

#include "season/core/matchrecord.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "season/core/textutil.h"

#include <QString>
#include <QStringView>

#include <array>

// The results store read the way the computations that go through every
// fixture read it (the standings, the statistics views): hundreds of
// records per computation, none of them copied into fields of their own.
namespace storedresults {

// The fixture key "0100".."3809" of a match day 1..38 and a position 0..9,
// built once for the whole run.
const QString &fixtureKey(MatchDayNo day, int index);

// A stored result read in place: its eight fields are views into the value
// the store keeps, so counting a fixture allocates nothing. Missing fields
// read as empty, as for MatchRecord.
class RecordView
{
public:
    explicit RecordView(const QString &text);
    QStringView operator[](MatchRecord::Field f) const { return m_fields[f]; }
    // Goals and cards: 0..999, whatever the volunteer or the file wrote.
    int number(MatchRecord::Field f) const { return text::leadingCount(m_fields[f]); }

private:
    QString m_text; // keeps the viewed characters alive
    std::array<QStringView, 8> m_fields;
};

// Reads results straight from the store's "Resultats" section (section names
// compare without regard to case), one key per fixture like every view.
class Reader
{
public:
    explicit Reader(const ResultStore &store)
        : m_ini(store.ini())
    {}
    RecordView read(const QString &fixtureKey) const;

private:
    const IniFile &m_ini;
};

} // namespace storedresults
