#pragma once

#include <QWidget>

#include <array>

class QLabel;

// The bar of match-day numbers (`Label10` 1..38) that shows the table as it
// stood after any match day. Numbers still to come are yellow, played ones
// green; the one under the pointer is teal, the others navy.
class MatchDayPicker : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Count = 38;

    explicit MatchDayPicker(QWidget *parent = nullptr);

    // Shows the 38 numbers for the given number of match days already due.
    void showNumbers(int dueMatchDays);
    // Hides number 1 and removes the others, as they are made on each opening.
    void hideNumbers();
    bool numbersShown() const;
    void resetHover();
    QLabel *number(int day) const; // nullptr when not shown

signals:
    void picked(int day);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *makeNumber(int day);
    void hover(int day);

    std::array<QLabel *, Count + 1> m_numbers{}; // index 1..38
};
