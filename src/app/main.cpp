// Builds the services and the main window, wires them and runs the program;
// actions for scripts run without a window.
#include "app/commandline.h"
#include "online/net/httpdownloader.h"
#include "season/core/clock.h"
#include "season/core/usersettings.h"
#include "shell/core/programfolder.h"
#include "shell/core/programinfo.h"
#include "shell/core/runtimefolder.h"
#include "shell/core/session.h"
#include "shell/ui/desktoplauncher.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/messageboxprompt.h"
#include "shell/ui/pictures.h"
#include "shell/ui/windowprinter.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <memory>
#include <optional>
#include <vector>

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Quits once the window has painted for the first time (start-up timing).
class FirstPaintQuit : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

// For runs driven by scripts: nothing waits on a dialog. Messages go to the
// error output, every question is answered No and every choice Cancel, which
// leaves things as they are.
class ScriptPrompt final : public Prompt
{
public:
    void inform(const QString &title, const QString &text) override
    {
        QTextStream err(stderr);
        err.setEncoding(QStringConverter::Utf8);
        err << title << " : " << text << '\n';
    }
    bool ask(const QString &, const QString &) override { return false; }
    Choice choose(const QString &, const QString &) override { return Choice::Cancel; }
};

// The program folder: --data-dir, else where the results store lives,
// beside the executable or in the per-user data folder seeded from the
// installed season. What the choice has to tell goes to `err`, or to
// `notice` for the window to show.
QString programFolder(const QString &dataDir, const Clock &clock, UserSettings &settings, QTextStream &err,
                      QString *notice = nullptr)
{
    using namespace settingkeys;
    programfolder::Places places = programfolder::placesOfThisMachine(dataDir, clock.now());
    places.rememberedFolder = settings.read(DataSection, StoreFolder);
    places.toldDifference = settings.read(DataSection, StoresTold);
    const programfolder::Choice choice = programfolder::choose(places);
    if (!choice.rememberFolder.isEmpty() && choice.rememberFolder != places.rememberedFolder)
        settings.write(DataSection, StoreFolder, choice.rememberFolder);
    if (dataDir.isEmpty() && choice.difference != places.toldDifference)
        settings.write(DataSection, StoresTold, choice.difference);
    if (!choice.warning.isEmpty())
        err << choice.warning << '\n';
    if (!choice.notice.isEmpty()) {
        if (notice)
            *notice = choice.notice;
        else
            err << choice.notice << '\n';
    }
    err.flush();
    return choice.path;
}

QString settingsName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

// The actions for scripts: no window, hence no display. A PDF needs fonts,
// hence a GUI application object then, on the offscreen platform.
int runWithoutWindow(const commandline::Parsed &parsed, int argc, char **argv, QTextStream &out, QTextStream &err)
{
    // Outlives the application object, which may use the folder to its end.
    std::optional<runtimefolder::ForThisRun> runtime;
    std::unique_ptr<QCoreApplication> app;
    // Arguments without Qt's window options, so that nothing
    // overrides the offscreen platform; they outlive the application.
    std::vector<QByteArray> keptArguments;
    std::vector<char *> keptPointers;
    int keptCount = 0;
    if (parsed.paints) {
        for (const QString &argument : commandline::withoutQtOptions(argumentsOf(argc, argv)))
            keptArguments.push_back(argument.toLocal8Bit());
        for (QByteArray &argument : keptArguments)
            keptPointers.push_back(argument.data());
        keptPointers.push_back(nullptr);
        keptCount = int(keptArguments.size());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        runtime.emplace();
        app = std::make_unique<QGuiApplication>(keptCount, keptPointers.data());
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    SystemClock clock;
    // The league's server checks uploads under its own account, which has
    // no settings nor program folder of its own to look at.
    if (!parsed.needsFolder)
        return commandline::runScript(app->arguments(), {}, clock, out, err);
    UserSettings settings(settingsName());
    if (!settings.problem().isEmpty())
        err << settings.problem() << '\n';
    const QString folder = programFolder(parsed.options.dataDir, clock, settings, err);
    return commandline::runScript(app->arguments(), folder, clock, out, err);
}

// The program with its window: the services built, the window shown, the
// event loop run.
int runWindow(int argc, char **argv)
{
    runtimefolder::provide();
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFrench);
    // Qt has taken its own options (-platform…) out of the arguments by now.
    QTextStream out(stdout);
    QTextStream err(stderr);
    const commandline::Options options = commandline::parse(app.arguments(), out, err).options;

    SystemClock clock;
    UserSettings settings(settingsName());
    QString folderNotice;
    const QString folder = programFolder(options.dataDir, clock, settings, err, &folderNotice);
    MessageBoxPrompt messageBoxes;
    ScriptPrompt scriptPrompt;
    Prompt &prompt = options.quitAfterFirstPaint ? static_cast<Prompt &>(scriptPrompt) : messageBoxes;
    Pictures pictures(folder);
    DesktopLauncher launcher;
    DialogPrintTarget printer;
    Session session(folder, clock, settings);
    session.setFolderNotice(folderNotice);
    session.state().setServerAddress(programinfo::serverAddress(options.server, settings));
    session.state().setPortalAddress(programinfo::portalAddress(settings));
    HttpDownloader http;
    // The update trusts the league's private authority as the sending tool
    // does; a setting that names no readable one fails each download with
    // the reason.
    http.trustAuthoritiesOf(programinfo::authoritiesFile({}, settings));
    MainWindow window(session, WindowServices{prompt, pictures, launcher, printer, &http});
    messageBoxes.setParent(&window);

    FirstPaintQuit firstPaint;
    if (options.quitAfterFirstPaint)
        window.installEventFilter(&firstPaint);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.fitScreen(screen->availableGeometry());
    if (!window.startUp())
        return 1;
    const int status = app.exec();
    if (options.quitAfterFirstPaint)
        out << "widgets: " << window.findChildren<QWidget *>().size() << '\n';
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    {
        // Usage errors, help and version need no display, nor do the actions
        // for scripts.
        QTextStream out(stdout);
        QTextStream err(stderr);
        out.setEncoding(QStringConverter::Utf8);
        err.setEncoding(QStringConverter::Utf8);
        const commandline::Parsed parsed = commandline::parse(argumentsOf(argc, argv), out, err);
        if (parsed.mode == commandline::Mode::Done)
            return parsed.status;
        if (parsed.mode == commandline::Mode::Script)
            return runWithoutWindow(parsed, argc, argv, out, err);
    }
    return runWindow(argc, argv);
}
