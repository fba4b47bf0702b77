#include "team/ui/cardsreportview.h"

#include <QEvent>
#include <QMouseEvent>

CardsReportView::CardsReportView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("Text4"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->installEventFilter(this);
    hide();
}

void CardsReportView::showReport(const QString &text)
{
    setPlainText(text);
    show();
    raise();
}

bool CardsReportView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        hide();
        return true;
    }
    return QPlainTextEdit::eventFilter(watched, event);
}
