// The sending tool Porvex: finds what a send needs (the folder, the server,
// the volunteer's name and password, a private authority) and runs it,
// through its window or, with --batch, on the command line.
#include "online/core/sendoptions.h"
#include "online/net/publishcommand.h"
#include "online/ui/sendwindow.h"
#include "season/core/resultstore.h"
#include "season/core/storefiles.h"
#include "season/core/usersettings.h"
#include "shared/ui/accessiblewidgets.h"
#include "shell/core/programinfo.h"
#include "shell/core/runtimefolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>
#include <memory>
#include <string_view>

namespace {

bool hasDisplay()
{
#ifdef Q_OS_LINUX
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
           || qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char **argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    // Whether a window opens decides which application Qt starts, so it is
    // read on the raw arguments; without one nothing needs a display.
    const bool windowless = std::any_of(argv + 1, argv + argc, [](const char *argument) {
        const std::string_view option(argument);
        return option == "--batch" || option == "--help" || option == "-h" || option == "--version"
               || option == "--man";
    });
    if (!windowless && !hasDisplay()) {
        err << "Pas d'écran pour la fenêtre de Porvex : utilisez --batch.\n";
        return 1;
    }
    std::unique_ptr<QCoreApplication> app;
    if (windowless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else {
        runtimefolder::provide();
        app = std::make_unique<QApplication>(argc, argv);
    }
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Qt has taken its own options (-platform…) out of the arguments by now.
    const sendoptions::Parsed parsed = sendoptions::parse(app->arguments(), programinfo::fullVersionText(), out, err);
    if (parsed.done)
        return parsed.status;
    const sendoptions::Options &options = parsed.options;

    // "Envoyer" starts the tool in the program folder; the server and the
    // authority are the program's own settings.
    const QString folder = options.dataDir.isEmpty() ? QDir::currentPath() : options.dataDir;
    const UserSettings settings(QStringLiteral("kestrane"));
    const QString credentialsFile =
        credentials::filePath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    SendSetup setup;
    setup.storePath = QDir(folder).filePath(ResultStore::FileName);
    setup.server = programinfo::serverAddress(options.server, settings);
    setup.credentials =
        credentials::find(qEnvironmentVariable(qPrintable(credentials::UserVariable)),
                          qEnvironmentVariable(qPrintable(credentials::PasswordVariable)), credentialsFile);
    setup.authoritiesFile = programinfo::authoritiesFile(options.authorities, settings);
    setup.onConflict = options.onConflict;
    setup.plainHttpAllowed =
        options.allowHttp || settings.read(settingkeys::DataSection, settingkeys::PlainHttpSending).trimmed() == "1";
    setup.season = Season::load(QDir(folder).filePath(storefiles::Season)).value_or(Season());
    if (options.batch)
        return runPublishCommand(setup, out, err);

    QString error;
    std::optional<SendClients> clients = sendClients(setup.authoritiesFile, &error);
    if (!clients) {
        err << error << ".\n";
        return 1;
    }
    accessiblewidgets::install();
    SendWindow window({setup.storePath, setup.server, credentialsFile, setup.credentials, setup.season,
                       setup.onConflict, clients->downloader.get(), clients->uploader.get(), setup.plainHttpAllowed});
    window.show();
    window.startIfReady();
    app->exec();
    return window.exitStatus();
}
