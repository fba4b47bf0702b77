#include "shell/ui/newsline.h"

#include "shared/ui/twips.h"
#include "shared/ui/windowareas.h"
#include "shared/ui/windowstyle.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>

namespace {
constexpr int NewsPointSize = 9;
constexpr int NewsSmallestPointSize = 7;
const QColor NewsText = windowstyle::colour(palette::window::NewsText);
const QColor NewsBackground = windowstyle::colour(palette::window::NewsBackground);
// Inside the line's frame, and the captions inside the match-day area.
constexpr QRect LineText(4, 1, windowareas::News.width() - 8, 18);
constexpr std::array<QRect, 2> Captions = {QRect(twips(345), 36, 90, 16), QRect(twips(2070), 36, 90, 16)};
} // namespace

NewsLine::NewsLine(QWidget &window, QWidget &matchDayArea, QObject *parent)
    : QObject(parent)
{
    const QStringList sides{QStringLiteral("Domicile"), QStringLiteral("Extérieur")};
    for (int i = 0; i < 2; ++i) {
        m_captions[i] = new QLabel(sides[i], &matchDayArea);
        m_captions[i]->setObjectName(QStringLiteral("Label27"));
        m_captions[i]->setProperty("index", i);
        windowstyle::setColours(m_captions[i], Qt::white);
        m_captions[i]->setGeometry(Captions[i]);
    }

    m_panel = new QFrame(&window);
    m_panel->setObjectName(QStringLiteral("Frame5"));
    m_panel->setGeometry(windowareas::News);
    m_panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    windowstyle::setColours(m_panel, NewsText, NewsBackground);
    m_line = new QLabel(m_panel);
    m_line->setObjectName(QStringLiteral("Label14"));
    m_line->setTextFormat(Qt::PlainText);
    m_line->setGeometry(LineText);
    windowstyle::setBold(m_line);
    m_panel->hide();
}

void NewsLine::setText(const QString &text)
{
    m_text = text;
    // The line has one row of the window: a long news takes a smaller font,
    // and what still does not fit is elided, the whole text in the tool tip.
    QFont font = m_line->font();
    int size = NewsPointSize;
    font.setPointSize(size);
    while (size > NewsSmallestPointSize && QFontMetrics(font).horizontalAdvance(text) > m_line->width())
        font.setPointSize(--size);
    m_line->setFont(font);
    m_line->setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, m_line->width()));
    windowstyle::setPlainToolTip(m_line, text);
}

void NewsLine::show()
{
    const bool news = !m_text.isEmpty();
    m_panel->setVisible(news);
    if (news)
        m_panel->raise();
    for (QLabel *caption : m_captions)
        caption->setVisible(!news);
}

void NewsLine::hide()
{
    m_panel->hide();
    for (QLabel *caption : m_captions)
        caption->show();
}
