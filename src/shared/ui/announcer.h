#pragma once

#include <QString>
#include <QWidget>

// A line that screen readers hear when something changes in the window
// without a word on screen: a button appearing, a save done, a match day
// opened. It draws nothing; each message makes it show anew as a
// notification, which is what screen readers speak. One per window; any
// widget of the window may speak through it.
class Announcer : public QWidget
{
    Q_OBJECT
public:
    explicit Announcer(QWidget *window);

    void announce(const QString &message);
    // What the notification says now: the words of the last turn of the
    // event loop that said any.
    QString lastMessage() const { return m_last; }

    // Says `message` through the announcer of the window `from` stands in;
    // nothing when that window has none.
    static void say(const QWidget *from, const QString &message);

signals:
    void announced(const QString &message);

private:
    QString m_last;
    bool m_sameTurn = false; // something was said in this turn of the event loop
};
