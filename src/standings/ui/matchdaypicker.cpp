#include "standings/ui/matchdaypicker.h"

#include "shared/ui/windowstyle.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {
// 38 numbers share the width of the table: a small, plain face leaves a
// digit's width between two neighbours, so that 10 to 38 read apart.
constexpr int NumberWidth = 17;
constexpr int NumberPitch = 18;
constexpr int NumberHeight = 18;
constexpr int NumberPointSize = 7;
const QColor ToCome = windowstyle::colour(palette::calendar::Ahead);
const QColor Played = windowstyle::colour(palette::calendar::Gone);

} // namespace

MatchDayPicker::MatchDayPicker(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MatchDayPicker"));
    setFixedSize(Count * NumberPitch, NumberHeight);
    m_numbers[1] = makeNumber(1);
    m_numbers[1]->hide();
}

QLabel *MatchDayPicker::makeNumber(int day)
{
    auto *label = new QLabel(QString::number(day), this);
    label->setObjectName(QStringLiteral("Label10"));
    label->setProperty("index", day);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::TabFocus);
    label->setAccessibleName(QStringLiteral("Classement à la journée %1").arg(day));
    QFont font = label->font();
    font.setPointSize(NumberPointSize);
    label->setFont(font);
    label->setGeometry((day - 1) * NumberPitch, 0, NumberWidth, NumberHeight);
    label->installEventFilter(this);
    return label;
}

void MatchDayPicker::showNumbers(int dueMatchDays)
{
    if (numbersShown())
        return;
    for (int day = 1; day <= Count; ++day) {
        if (!m_numbers[day])
            m_numbers[day] = makeNumber(day);
        windowstyle::setColours(m_numbers[day], day > dueMatchDays ? ToCome : Played, windowstyle::Navy);
        m_numbers[day]->show();
    }
    // Before the first match day even number 1 is still to come.
    windowstyle::setColours(m_numbers[1], dueMatchDays < 1 ? ToCome : Played, windowstyle::Navy);
}

void MatchDayPicker::hideNumbers()
{
    m_numbers[1]->hide();
    // Later, not at once: the number may be the one being clicked.
    for (int day = 2; day <= Count; ++day) {
        if (m_numbers[day]) {
            m_numbers[day]->hide();
            m_numbers[day]->deleteLater();
        }
        m_numbers[day] = nullptr;
    }
}

bool MatchDayPicker::numbersShown() const
{
    return !m_numbers[1]->isHidden();
}

QLabel *MatchDayPicker::number(int day) const
{
    if (day < 1 || day > Count || !m_numbers[day] || m_numbers[day]->isHidden())
        return nullptr;
    return m_numbers[day];
}

void MatchDayPicker::resetHover()
{
    hover(0);
}

void MatchDayPicker::hover(int day)
{
    for (int k = 1; k <= Count; ++k) {
        if (m_numbers[k])
            windowstyle::setFillColour(m_numbers[k], k == day ? windowstyle::Teal : windowstyle::Navy);
    }
}

bool MatchDayPicker::eventFilter(QObject *watched, QEvent *event)
{
    auto *label = qobject_cast<QLabel *>(watched);
    if (!label)
        return false;
    const int day = label->property("index").toInt();
    if (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn) {
        hover(day);
    } else if (event->type() == QEvent::KeyPress) {
        // From the keyboard: Enter or Space picks, the arrows move along.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            emit picked(day);
            return true;
        }
        const int next = key == Qt::Key_Right ? day + 1 : key == Qt::Key_Left ? day - 1 : 0;
        if (QLabel *neighbour = number(next)) {
            neighbour->setFocus(Qt::TabFocusReason);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint()))
            emit picked(day);
    }
    return false;
}
