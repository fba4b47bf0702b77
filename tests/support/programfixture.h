#pragma once

// What every test of the window or of one of its features starts from: a
// program folder with the bundled season, a clock, answered questions, a
// recording launcher, printing to a file and settings in a temporary file,
// the session over them, and the widgets found by name under a root (the
// main window, or the plain widget a feature is built into). GUI test
// programs only.
#include "fakeclock.h"
#include "fakelauncher.h"
#include "fakeprompt.h"
#include "pdfprinttarget.h"
#include "testfolder.h"

#include "matchday/ui/gridbox.h"
#include "online/net/httpdownloader.h"
#include "season/core/usersettings.h"
#include "shell/core/session.h"
#include "shell/ui/command.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

class ProgramFixture : public ::testing::Test
{
protected:
    static QByteArray sample(const QString &name)
    {
        QFile f(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void SetUp() override
    {
        folder.write(QStringLiteral("2013.txt"), sample(QStringLiteral("2013.txt")));
        folder.write(QStringLiteral("Resultats2013.ini"), sample(QStringLiteral("Resultats2013.ini")));
        settings = UserSettings::atFile(settingsDir.filePath(QStringLiteral("kestrane.ini")));
        // A fresh store: no offer to download at start.
        setStoreAge(clock.now().addDays(-1));
    }

    // The widget the widgets are looked for under.
    virtual QWidget *root() const = 0;

    // A session over the folder, its season and adjustments read, as start-up
    // leaves it; the main window's start-up builds its own.
    Session &openSession()
    {
        session = std::make_unique<Session>(folder.path(), clock, *settings);
        session->state().setServerAddress(serverAddress);
        session->state().setPortalAddress(QStringLiteral("http://portail.test/kestrane"));
        EXPECT_TRUE(session->loadSeason());
        session->loadBonusMalus();
        return *session;
    }

    // Downloads go to a local test server through the program's own HTTP client.
    void useServer(const QString &address)
    {
        serverAddress = address;
        downloader = &http;
    }

    QString storePath() const { return folder.file(QStringLiteral("Resultats2013.ini")); }
    void setStoreAge(const QDateTime &modified)
    {
        QFile f(storePath());
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(modified, QFileDevice::FileModificationTime);
    }
    // The bundled store without the results of the match days after `lastDay`.
    void keepResultsUpTo(int lastDay)
    {
        const QList<QByteArray> lines = sample(QStringLiteral("Resultats2013.ini")).split('\n');
        QByteArray kept;
        static const QRegularExpression result(QStringLiteral("^(\\d\\d)\\d\\d="));
        for (const QByteArray &line : lines) {
            const QRegularExpressionMatch match = result.match(QString::fromLatin1(line));
            if (match.hasMatch() && match.captured(1).toInt() > lastDay)
                continue;
            kept += line + '\n';
        }
        kept.chop(1);
        folder.write(QStringLiteral("Resultats2013.ini"), kept);
        setStoreAge(clock.now().addDays(-1));
    }
    // Grows the store past the 16 KB the file layer buffers, so that a write
    // the system refuses fails while it is made. (A smaller store is written
    // out only when the save is committed; a refusal there is not noticed by
    // the store today.)
    void padStore()
    {
        QByteArray notes = "\r\n[Notes]\r\n";
        for (int i = 0; i < 400; ++i)
            notes += "N" + QByteArray::number(i) + "=" + QByteArray(48, 'x') + "\r\n";
        folder.write(QStringLiteral("Resultats2013.ini"), folder.read(QStringLiteral("Resultats2013.ini")) + notes);
        setStoreAge(clock.now().addDays(-1));
    }
    QString addSendingTool()
    {
        folder.write(QStringLiteral("Porvex"), "#!/bin/sh\n");
        return folder.file(QStringLiteral("Porvex"));
    }
    QString stored(const QString &key) const { return session->store().match(key).toText(); }

    // The widgets of one name, ordered by their "index" property.
    template <typename W = QWidget>
    QList<W *> indexed(const QString &name) const
    {
        QList<W *> list = root()->findChildren<W *>(name);
        std::sort(list.begin(), list.end(),
                  [](W *a, W *b) { return a->property("index").toInt() < b->property("index").toInt(); });
        return list;
    }
    template <typename W = QWidget>
    W *widget(const QString &name, int index = -1) const
    {
        if (index < 0)
            return root()->findChild<W *>(name);
        for (W *w : root()->findChildren<W *>(name)) {
            if (w->property("index").toInt() == index)
                return w;
        }
        return nullptr;
    }
    QPushButton *button(Command command) const
    {
        return widget<QPushButton>(QStringLiteral("BtN"), commands::indexOf(command));
    }
    // A click on a command button as the user makes it (the button must be shown).
    void click(Command command)
    {
        QPushButton *b = button(command);
        const int index = commands::indexOf(command);
        ASSERT_NE(b, nullptr) << "no button " << index;
        ASSERT_TRUE(b->isVisible()) << "button " << index << " is hidden";
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString text(const QString &name, int index = -1) const
    {
        auto *label = widget<QLabel>(name, index);
        return label ? label->text() : QStringLiteral("<no %1>").arg(name);
    }
    QColor textColour(const QString &name, int index = -1) const
    {
        return widget<QWidget>(name, index)->palette().color(QPalette::WindowText);
    }
    // The texts of a column of the table, top to bottom, and a cell's fill.
    QStringList column(const QString &name) const
    {
        QStringList texts;
        for (QLabel *cell : indexed<QLabel>(name))
            texts << cell->text();
        return texts;
    }
    QColor cellColour(const QString &name, int row) const
    {
        QWidget *w = widget<QWidget>(name, row);
        return w ? w->palette().color(QPalette::Window) : QColor();
    }
    void clickCell(const QString &name, int row) { QTest::mouseClick(widget(name, row), Qt::LeftButton); }
    // A number of the match-day picker, while the picker shows it.
    QLabel *pickerNumber(int day) const
    {
        QLabel *number = widget<QLabel>(QStringLiteral("Label10"), day);
        return number && number->isVisible() ? number : nullptr;
    }
    // Whether the reachable ranks stand beside the table.
    bool overlayShown() const
    {
        QWidget *title = widget(QStringLiteral("LabPosPoss"));
        return title && title->isVisible();
    }
    const DisplayedStandings &shown() const { return session->standings().displayed(); }
    QString teamAtRow(int row) const { return shown().rows[row].data.name; }
    bool panelShown(const char *name) const
    {
        QWidget *w = widget(QLatin1String(name));
        return w && w->isVisible();
    }
    // Writes the picture of what the test shows when KESTRANE_SHOTS names a folder.
    void shot(const QString &name) const
    {
        const QString folderName = qEnvironmentVariable("KESTRANE_SHOTS");
        if (!folderName.isEmpty())
            root()->grab().save(folderName + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    // A box of the match grid.
    GridBox *box(const char *name, int row) const { return widget<GridBox>(QLatin1String(name), row); }
    void typeInto(const char *name, int row, const QString &text)
    {
        GridBox *target = box(name, row);
        target->setFocus();
        QTest::keyClicks(target, text);
    }

    TestFolder folder;
    QTemporaryDir settingsDir;
    std::unique_ptr<UserSettings> settings;
    FakeClock clock{QDateTime(QDate(2013, 12, 5), QTime(20, 0))}; // a Thursday in the season
    FakePrompt prompt;
    FakeLauncher launcher;
    PdfPrintTarget printTarget;
    HttpDownloader http; // outlives the window, which may hold its replies
    QString serverAddress = QStringLiteral("http://serveur.test");
    Downloader *downloader = nullptr; // null: no network, every download fails
    std::unique_ptr<Session> session;
};
