#pragma once

#include "season/core/season.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The three-way merge a volunteer's send runs before it publishes: the store
// of this folder ("mine") against the one published on the server
// ("theirs"), both measured from the store as this folder last published or
// downloaded it ("base"), key by key:
// - a key changed on one side only is taken from that side;
// - a key changed alike on both sides is kept;
// - a key changed differently on both sides is a conflict, which the
//   volunteer decides (mine or theirs) or which stops the send;
// - a key of the base that one side kept as it was and the other lost (no
//   key, or nothing in it) is a conflict too: a result is removed with "-"
//   in its scores, so a lost one is never taken for a deletion;
// - the stamp, the news and the published version come from the sender.
// Values compare as readers read them: a result without a home team, an
// empty value and a missing key are all "nothing", and the spaces a
// volunteer typed around a number do not make another result.
namespace storemerge {

enum class Side { Mine, Theirs };

// One key changed differently on both sides. Nothing in a value means the
// key holds nothing on that side (lost, or never there), shown "(absent)".
struct Conflict
{
    QString section; // as the stores spell it
    QString key;
    std::optional<QString> theirs;
    std::optional<QString> mine;

    // Section and key without regard to case: what a decision is kept under.
    QString id() const;
};

// What the volunteer chose for one conflict, against the published value
// seen then: when the server's copy has changed again the choice no longer
// holds and the conflict is asked anew.
struct Decision
{
    Side side = Side::Mine;
    std::optional<QString> theirsSeen;
};

struct Choices
{
    std::optional<Side> forAll;           // --on-conflict: every conflict alike
    QHash<QString, Decision> perConflict; // by Conflict::id()
};

struct Result
{
    // The merged store, laid out as the published one with the changes
    // written in; empty while some conflict is undecided.
    QByteArray bytes;
    QList<Conflict> conflicts; // every conflict, decided or not, in file order
    QList<Conflict> undecided;
    // Fixtures whose result in the merged store differs from mine: what this
    // folder receives from the other volunteers.
    int resultsFromOthers = 0;

    bool isComplete() const { return undecided.isEmpty(); }
};

// The results of a store by fixture key, as the merge compares them (fields
// trimmed); fixtures without a result are left out.
QHash<QString, QString> results(const QByteArray &store);

// Empty `theirs` stands for a server without a store yet (mine is then
// published as it is), empty `base` for a folder that never published nor
// downloaded.
Result merge(const QByteArray &base, const QByteArray &mine, const QByteArray &theirs, const Choices &choices = {});

// A conflict as the volunteer reads it: the fixture ("J12 Alpha - Bravo"),
// the team of an adjustment, or the section and key of anything else; then
// the published value and mine ("2-1, jaunes 1-0, rouges 0-0").
struct ConflictText
{
    QString what;
    QString theirs;
    QString mine;
};
ConflictText describe(const Season &season, const Conflict &conflict);

} // namespace storemerge
