#pragma once

// What the tests of the match-day view and the export panel share: a program
// folder that cannot be written, typing accented text, and the window of
// those tests.
#include "windowfixture.h"

#include "standings/core/displayedstandings.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QKeyEvent>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// While it lives, neither the program folder nor the store can be written:
// the folder is read-only and, since the superuser writes anyway, files
// cannot grow past a few bytes.
class UnwritableFolder
{
public:
    explicit UnwritableFolder(const QString &folder)
        : m_folder(folder)
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
    const StandingRow &standingOf(const QString &team) const
    {
        for (const DisplayedRow &row : session->standings().displayed().rows) {
            if (row.data.name == team)
                return row.data;
        }
        static const StandingRow none;
        return none;
    }
};
