#pragma once

// What the window tests of the match-day view and the export panel share: a
// store cut after a given match day, the sending tool in the folder, a program
// folder that cannot be written, and the grid's boxes by row.
#include "windowfixture.h"

#include "matchday/ui/gridbox.h"
#include "standings/core/displayedstandings.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// While it lives, neither the program folder nor the store can be written:
// the folder is read-only and, since the superuser writes anyway, files
// cannot grow past a few bytes.
class UnwritableFolder
{
public:
    explicit UnwritableFolder(const QString &folder) : m_folder(folder)
    {
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = 512;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~UnwritableFolder()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

private:
    QString m_folder;
    rlimit m_saved{};
    void (*m_previousHandler)(int) = nullptr;
};

// Types text as a keyboard would, accented letters included (the test
// library's key clicks know only ASCII).
inline void typeText(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

class MatchDayWindow : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // The pointer left over a month by an earlier test would preview it
        // as soon as the window shows.
        QCursor::setPos(1, 1);
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
    GridBox *box(const char *name, int row) const { return widget<GridBox>(QLatin1String(name), row); }
    QString stored(const QString &key) const { return session->store().match(key).toText(); }
    const StandingRow &standingOf(const QString &team) const
    {
        for (const DisplayedRow &row : session->standings().displayed().rows) {
            if (row.data.name == team)
                return row.data;
        }
        static const StandingRow none;
        return none;
    }
    void typeInto(const char *name, int row, const QString &text)
    {
        GridBox *target = box(name, row);
        target->setFocus();
        QTest::keyClicks(target, text);
    }
    QColor textColour(const QString &name, int index = -1) const
    {
        return widget<QWidget>(name, index)->palette().color(QPalette::WindowText);
    }
};
