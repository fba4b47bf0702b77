#include "shell/ui/splashwindow.h"

#include "shared/core/palette.h"
#include "shared/ui/twips.h"
#include "shell/core/programinfo.h"

#include <QEvent>
#include <QLabel>

SplashWindow::SplashWindow(const QPixmap &logo, const QString &webAddress, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splach"));
    setFixedSize(twips(6000), twips(4200));
    setAutoFillBackground(true);
    const QString gold = palette::hexName(palette::window::Gold);
    setStyleSheet(QStringLiteral("#Splach { background: %1; border: 2px solid %2; }"
                                 "QLabel { color: white; }")
                      .arg(palette::hexName(palette::window::SplashBackground), gold));

    auto *shape = new QFrame(this);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(twips(300), twips(1500), twips(5400), twips(15));
    shape->setStyleSheet(QStringLiteral("background: %1;").arg(gold));

    auto *title = new QLabel(this);
    title->setObjectName(QStringLiteral("Label8"));
    title->setText(QStringLiteral("Kestrane 1\r\n2013 - 2014."));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("font-size: 22pt; font-weight: bold; color: %1;").arg(gold));
    title->setGeometry(0, twips(200), width(), twips(1200));

    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("Image2"));
    m_logo->setPixmap(logo);
    m_logo->setGeometry(twips(510), twips(1680), logo.width(), logo.height());
    m_logo->setCursor(Qt::PointingHandCursor);
    m_logo->installEventFilter(this);

    // Shown only for a pre-release program (major version 0).
    auto *preview = new QLabel(QStringLiteral("Version d'essai"), this);
    preview->setObjectName(QStringLiteral("Image1"));
    preview->setStyleSheet(
        QStringLiteral("color: %1; font-weight: bold;").arg(palette::hexName(palette::window::SplashPreview)));
    preview->setGeometry(twips(3000), twips(3200), twips(2600), twips(300));
    preview->setVisible(programinfo::Major < 1);

    auto *version = new QLabel(QStringLiteral("Version: ") + programinfo::versionText(), this);
    version->setObjectName(QStringLiteral("Label2"));
    version->setGeometry(twips(3000), twips(2000), twips(2700), twips(300));

    auto *address = new QLabel(webAddress, this);
    address->setObjectName(QStringLiteral("Label1"));
    address->setTextFormat(Qt::PlainText);
    address->setGeometry(twips(3000), twips(2400), twips(2900), twips(300));
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_logo && event->type() == QEvent::MouseButtonRelease)
        close();
    return QWidget::eventFilter(watched, event);
}
