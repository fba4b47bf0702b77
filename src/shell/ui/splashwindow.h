#pragma once

#include <QWidget>

class QLabel;

// The window shown while the program starts: logo, title, version and the
// author's address. A click on the logo closes it early.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    SplashWindow(const QPixmap &logo, const QString &webAddress, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_logo = nullptr;
};
