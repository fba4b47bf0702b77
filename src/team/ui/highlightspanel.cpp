#include "team/ui/highlightspanel.h"

#include "shared/ui/windowstyle.h"
#include "team/ui/teamstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HighlightsPanel::HighlightsPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("FraPlus"));
    windowstyle::setPixelSize(this, 12);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(10, 8, 10, 8);
    m_layout->setSpacing(1);
    for (int i = 0; i < highlights::Count; ++i) {
        QLabel *heading = teamstyle::label(this, QStringLiteral("Label23"), i, QRect());
        heading->setText(highlights::headings()[i]);
        windowstyle::setBold(heading, true);
        QLabel *value = teamstyle::label(this, QStringLiteral("LesPlus"), i, QRect());
        value->setWordWrap(true);
        value->setContentsMargins(12, 0, 0, 4);
        m_values[i] = value;
        m_layout->addWidget(heading);
        m_layout->addWidget(value);
    }
}

void HighlightsPanel::setCloseButton(QPushButton *button)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    m_layout->addLayout(row);
}

void HighlightsPanel::showValues(const std::array<QString, highlights::Count> &values)
{
    for (int i = 0; i < highlights::Count; ++i)
        teamstyle::setText(m_values[i], values[i]);
    // The runs may name many teams: the panel grows to show them all.
    resize(width(), heightForWidth(width()) > 0 ? heightForWidth(width()) : sizeHint().height());
}
