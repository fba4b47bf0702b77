// Builds the services and the main window, wires them and runs the program.
#include "season/core/clock.h"
#include "season/core/usersettings.h"
#include "shell/core/programinfo.h"
#include "shell/core/session.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/messageboxprompt.h"
#include "shell/ui/pictures.h"
#include "standings/core/outlookprinter.h"
#include "standings/core/standingsprinter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <cstring>

namespace {

struct Options
{
    QString dataDir;
    QString matchDay;
    bool printStandings = false;
    bool explain = false; // with printStandings: the criterion behind each row
    bool printOutlook = false;
    bool version = false;
    bool quitAfterFirstPaint = false;
    QString error;
};

Options parseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        auto value = [&](QString &target) {
            if (i + 1 < argc)
                target = QString::fromLocal8Bit(argv[++i]);
            else
                options.error = QStringLiteral("%1 attend une valeur").arg(arg);
        };
        if (arg == QLatin1String("--data-dir"))
            value(options.dataDir);
        else if (arg == QLatin1String("--matchday"))
            value(options.matchDay);
        else if (arg == QLatin1String("--print-standings"))
            options.printStandings = true;
        else if (arg == QLatin1String("--explain"))
            options.explain = true;
        else if (arg == QLatin1String("--print-outlook"))
            options.printOutlook = true;
        else if (arg == QLatin1String("--version"))
            options.version = true;
        else if (arg == QLatin1String("--quit-after-first-paint"))
            options.quitAfterFirstPaint = true;
        else if (!arg.startsWith(QLatin1String("-platform")) && !arg.startsWith(QLatin1String("-style")))
            options.error = QStringLiteral("Option inconnue : %1").arg(arg);
    }
    if (options.explain && !options.printStandings && options.error.isEmpty())
        options.error = QStringLiteral("--explain accompagne --print-standings");
    return options;
}

QString programFolder(const Options &options)
{
    if (!options.dataDir.isEmpty())
        return QDir(options.dataDir).absolutePath();
    return QCoreApplication::applicationDirPath();
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

int printStandingsAndExit(int argc, char **argv, const Options &options)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    if (options.printOutlook)
        return printOutlook(programFolder(options), options.matchDay, out, err);
    return printStandings(programFolder(options), options.matchDay, options.explain, out, err);
}

} // namespace

int main(int argc, char **argv)
{
    const Options options = parseOptions(argc, argv);
    if (!options.error.isEmpty()) {
        fprintf(stderr, "%s\n", options.error.toLocal8Bit().constData());
        return 2;
    }
    if (options.version) {
        printf("kestrane %s\n", programinfo::fullVersionText().toLatin1().constData());
        return 0;
    }
    if (options.printStandings || options.printOutlook)
        return printStandingsAndExit(argc, argv, options);

    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFrench);

    const QString folder = programFolder(options);
    SystemClock clock;
    UserSettings settings(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    MessageBoxPrompt prompt;
    Pictures pictures(folder);
    Session session(folder, clock, settings);
    MainWindow window(session, prompt, pictures);
    prompt.setParent(&window);

    FirstPaintQuit firstPaint;
    if (options.quitAfterFirstPaint)
        window.installEventFilter(&firstPaint);
    if (!window.startUp())
        return 1;
    const int status = app.exec();
    if (options.quitAfterFirstPaint)
        printf("widgets: %lld\n", static_cast<long long>(window.findChildren<QWidget *>().size()));
    return status;
}
