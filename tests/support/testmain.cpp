// Shared main of every test program: a Qt application object (with widgets
// for GUI tests, on the offscreen platform), the French locale the program
// always uses, and no noise from the offscreen plugin.
#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifdef KESTRANE_GUI_TEST
#include <QApplication>
#else
#include <QCoreApplication>
#endif

namespace {
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (msg.contains(QLatin1String("propagateSizeHints")))
        return;
    if (type >= QtWarningMsg)
        fprintf(stderr, "%s\n", qPrintable(msg));
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep every test away from the real home folder and its settings.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QDir(home.path()).mkpath("runtime");
    QFile::setPermissions(home.path() + "/runtime",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toLocal8Bit());
    qInstallMessageHandler(quietHandler);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

#ifdef KESTRANE_GUI_TEST
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
