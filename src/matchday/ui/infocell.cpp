#include "matchday/ui/infocell.h"

#include "shared/ui/windowstyle.h"

#include <QPainter>
#include <QPainterPath>

namespace {
// Dark orange: apart from every colour the information text takes.
const QColor MarkColour = windowstyle::colour(palette::entry::InfoMark);
constexpr int MarkSize = 6;
} // namespace

void InfoCell::setInfo(const QString &info, const QString &note)
{
    setText(info);
    const bool changed = m_note != note;
    m_note = note;
    if (note.isEmpty())
        windowstyle::setPlainToolTip(this, info);
    else
        windowstyle::setPlainToolTip(this, info.isEmpty() ? note : info + QLatin1Char('\n') + note);
    setAccessibleDescription(note);
    if (changed)
        update();
}

void InfoCell::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_note.isEmpty())
        return;
    // A corner fold, as spreadsheets mark a cell with a comment.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath fold;
    const qreal right = width();
    fold.moveTo(right - MarkSize, 0);
    fold.lineTo(right, 0);
    fold.lineTo(right, MarkSize);
    fold.closeSubpath();
    painter.fillPath(fold, MarkColour);
}
