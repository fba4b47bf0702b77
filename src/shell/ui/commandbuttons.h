#pragma once

#include <QObject>
#include <QString>

#include <array>

class QPushButton;
class QWidget;

// The command buttons `BtN` 0..38. Every command of the program is one of
// them; a click is forwarded by index to whoever dispatches the commands.
class CommandButtons : public QObject
{
    Q_OBJECT
public:
    static constexpr int Count = 39;

    explicit CommandButtons(QObject *parent = nullptr) : QObject(parent) {}

    // Creates button `index` with its caption inside `parent`.
    QPushButton *create(int index, QWidget *parent);
    QPushButton *button(int index) const { return m_buttons.at(index); }
    static QString caption(int index);
    // What the command does, in a sentence (the buttons' accessible description).
    static QString description(int index);

signals:
    void clicked(int index);

private:
    std::array<QPushButton *, Count> m_buttons{};
};
