#pragma once

#include "team/core/seasonhighlights.h"

#include <QFrame>

#include <array>

class QLabel;
class QPushButton;
class QVBoxLayout;

// The season highlights `FraPlus`: six headings `Label23` each over its
// value `LesPlus`, and a place for the closing button.
class HighlightsPanel : public QFrame
{
    Q_OBJECT
public:
    explicit HighlightsPanel(QWidget *parent = nullptr);

    void setCloseButton(QPushButton *button);
    void showValues(const std::array<QString, highlights::Count> &values);

private:
    QVBoxLayout *m_layout = nullptr;
    std::array<QLabel *, highlights::Count> m_values{};
};
