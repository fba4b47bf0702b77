#include "shared/ui/announcer.h"

#include "shared/ui/accessiblewidgets.h"

#include <QTimer>

Announcer::Announcer(QWidget *window)
    : QWidget(window)
{
    accessiblewidgets::install();
    setObjectName(QStringLiteral("Annonce"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // A point in the corner: screen readers need it on screen, eyes need
    // nothing of it.
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::announce(const QString &message)
{
    if (message.isEmpty())
        return;
    // Words said in one turn of the event loop go out together (a save, then
    // "Expé Fichier" appearing): a screen reader reads the notification when
    // it gets to it, and would find only the last words.
    m_last = m_sameTurn ? m_last + QLatin1Char(' ') + message : message;
    if (!m_sameTurn) {
        m_sameTurn = true;
        QTimer::singleShot(0, this, [this] { m_sameTurn = false; });
    }
    // Hidden, renamed, shown again: the notification "appears" with the new
    // words even when they are the same as the last ones.
    hide();
    setAccessibleName(m_last);
    show();
    emit announced(m_last);
}

void Announcer::say(const QWidget *from, const QString &message)
{
    if (!from)
        return;
    if (auto *announcer = from->window()->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly))
        announcer->announce(message);
}
