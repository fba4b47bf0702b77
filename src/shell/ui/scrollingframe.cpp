#include "shell/ui/scrollingframe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStyle>
#include <QTimer>

ScrollingFrame::ScrollingFrame(QWidget &content, const QRect &room)
    : m_room(room)
{
    setObjectName(QStringLiteral("WindowFrame"));
    setFrameShape(QFrame::NoFrame);
    setWindowTitle(content.windowTitle());
    setWindowIcon(content.windowIcon());
    connect(&content, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    // The content's own size, never stretched.
    setWidgetResizable(false);
    setWidget(&content);
    fitRoom();
    // The focus brought anywhere in the window (a panel opening, a command
    // from the keyboard) comes into sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && widget() && widget()->isAncestorOf(now))
            bringIntoSight(now);
    });
}

ScrollingFrame::~ScrollingFrame()
{
    takeWidget();
}

void ScrollingFrame::fitRoom()
{
    // The window manager's title bar and borders, known once the frame shows.
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QRect room = m_room.marginsRemoved(QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                                      outer.right() - inner.right(), outer.bottom() - inner.bottom()));
    const QSize content = widget() ? widget()->size() : QSize();
    // A scroll bar along one side takes room from the other.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    QSize size = content;
    if (content.width() > room.width())
        size.rheight() += bar;
    if (content.height() > room.height())
        size.rwidth() += bar;
    const QRect place(room.topLeft(), size.boundedTo(room.size()));
    if (geometry() != place)
        setGeometry(place);
}

void ScrollingFrame::bringIntoSight(QWidget *w)
{
    const QRect place(w->mapTo(widget(), QPoint(0, 0)), w->size());
    // A panel larger than the frame shows from its top-left corner.
    if (place.width() > viewport()->width() || place.height() > viewport()->height())
        ensureVisible(place.left(), place.top(), 0, 0);
    else
        ensureWidgetVisible(w);
}

void ScrollingFrame::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    QTimer::singleShot(0, this, &ScrollingFrame::fitRoom);
}

void ScrollingFrame::closeEvent(QCloseEvent *event)
{
    event->setAccepted(!widget() || widget()->close());
}
