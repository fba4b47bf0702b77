#pragma once

#include "online/core/credentials.h"
#include "online/core/storemerge.h"
#include "online/net/httpdownloader.h"
#include "online/net/httpuploader.h"
#include "season/core/season.h"

#include <QString>

#include <memory>
#include <optional>

class QTextStream;

// What one send of the sending tool needs, whether it runs in its window or
// from the command line.
struct SendSetup
{
    QString storePath;
    QString server;
    credentials::Found credentials;
    QString authoritiesFile; // a private authority to trust over HTTPS; empty for none
    std::optional<storemerge::Side> onConflict;
    Season season;                 // names the fixtures of conflicts
    bool plainHttpAllowed = false; // the password may go over plain HTTP to another machine
};

// The HTTP clients of a send, trusting the setup's authority.
struct SendClients
{
    std::unique_ptr<HttpDownloader> downloader;
    std::unique_ptr<HttpUploader> uploader;
};
// Empty, with the French reason, when the authority file cannot be read.
std::optional<SendClients> sendClients(const QString &authoritiesFile, QString *error);

// The send without a window (Porvex --batch): says in French what happened,
// the outcome on standard output, failures, conflicts and warnings on the
// error output; returns 0 when published, 1 on failure, 3 when conflicts
// were left undecided (nothing published then).
int runPublishCommand(const SendSetup &setup, QTextStream &out, QTextStream &err);
