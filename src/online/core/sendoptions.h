#pragma once

#include "online/core/storemerge.h"

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

// The sending tool's command line:
//   Porvex [--data-dir DIR] [--server URL] [--batch] [--on-conflict mine|theirs] [--ca FILE]
//          [--allow-http]
// Without arguments (as "Envoyer" starts it) it sends the store of its
// working folder through its window.
namespace sendoptions {

struct Options
{
    QString dataDir; // empty: the working folder
    QString server;  // empty: KESTRANE_SERVER, the setting, the default
    bool batch = false;
    std::optional<storemerge::Side> onConflict;
    QString authorities;    // --ca: a PEM file of authorities to trust
    bool allowHttp = false; // --allow-http: the password may go over plain HTTP
};

struct Parsed
{
    bool done = false; // help, version or a usage error: exit with `status`
    int status = 0;
    Options options;
};

// Reads the arguments (the program's name first). Help and version go to
// `out`, usage errors in French to `err` with status 2.
Parsed parse(const QStringList &arguments, const QString &version, QTextStream &out, QTextStream &err);

} // namespace sendoptions
