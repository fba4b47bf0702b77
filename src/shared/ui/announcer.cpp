#include "shared/ui/announcer.h"

#include "shared/ui/accessiblewidgets.h"

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
    m_last = message;
    // Hidden, renamed, shown again: the notification "appears" with the new
    // words even when they are the same as the last ones.
    hide();
    setAccessibleName(message);
    show();
    emit announced(message);
}

void Announcer::say(const QWidget *from, const QString &message)
{
    if (!from)
        return;
    if (auto *announcer = from->window()->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly))
        announcer->announce(message);
}
