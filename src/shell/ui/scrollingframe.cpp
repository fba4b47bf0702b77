#include "shell/ui/scrollingframe.h"

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

void ScrollingFrame::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    QTimer::singleShot(0, this, &ScrollingFrame::fitRoom);
}

void ScrollingFrame::closeEvent(QCloseEvent *event)
{
    event->setAccepted(!widget() || widget()->close());
}
