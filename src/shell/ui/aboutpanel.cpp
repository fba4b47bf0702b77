#include "shell/ui/aboutpanel.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

AboutPanel::AboutPanel(const QString &author, QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("FraAP"));
    const std::array<QString, 7> texts = {
        QStringLiteral("Championnat de Kestrane 1."),
        QStringLiteral("Août 2013 --> Mai 2014."),
        QString(),
        author,
        QStringLiteral("Remerciements à l'équipe dévouée qui m'aide à faire les mises à jour les soirs de matches. "
                       "(à laquelle vous pouvez participer en me contactant ici...)"),
        QStringLiteral("Me contacter."),
        QStringLiteral("Version: "),
    };
    const std::array<int, 7> heights = {22, 20, 8, 20, 70, 20, 20};
    int top = 10;
    for (int i = 0; i < 7; ++i) {
        auto *label = new QLabel(texts[i], this);
        label->setObjectName(QStringLiteral("Label24"));
        label->setProperty("index", i);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setGeometry(12, top, 396, heights[i]);
        top += heights[i] + 4;
        m_lines[i] = label;
    }
    QFont title = m_lines[0]->font();
    title.setBold(true);
    title.setPointSize(title.pointSize() + 3);
    m_lines[0]->setFont(title);
    for (int clickable : {3, 5}) {
        QFont font = m_lines[clickable]->font();
        font.setUnderline(true);
        m_lines[clickable]->setFont(font);
        m_lines[clickable]->setCursor(Qt::PointingHandCursor);
        m_lines[clickable]->installEventFilter(this);
    }
}

void AboutPanel::showVersion(const QString &version)
{
    m_lines[6]->setText(QStringLiteral("Version: ") + version);
}

bool AboutPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_lines[3])
            emit authorClicked();
        else if (watched == m_lines[5])
            emit contactClicked();
    }
    return false;
}
