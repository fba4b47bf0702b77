#pragma once

#include "online/core/donorsticker.h"

#include <QFrame>
#include <QRect>
#include <QStringList>

class QLabel;
class QTimer;

// The donors and partners panel `FraDon`: the names pass one after the other
// in `Label18` (partners in dark red, donors in dark blue), under a link to
// the donation page (`Image18`) and one to the download portal (`Image10`).
// The ticker `Timer1` moves every 800 ms while it runs; the window decides
// when it runs. Names come from the server: shown as plain text only.
class DonorsPanel : public QFrame
{
    Q_OBJECT
public:
    static constexpr int TickMs = 800;

    explicit DonorsPanel(QWidget *parent = nullptr);

    // The names to show, in order (marked ones end with "$").
    void setNames(const QStringList &names);
    const DonorsTicker &ticker() const { return m_ticker; }

    void startTicker();
    void stopTicker();
    // Shows the next name, as a tick of the ticker does.
    void advance();

    // Where the panel's close button goes.
    QRect closeButtonArea() const;

signals:
    void donationClicked();
    void portalClicked();
    // The pointer moves over the panel, or rests on a name.
    void pointerOverPanel();
    void pointerOverName();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QLabel *m_title;
    QLabel *m_name;     // Label18
    QLabel *m_donation; // Image18
    QLabel *m_portal;   // Image10
    QTimer *m_timer;    // Timer1
    DonorsTicker m_ticker;
};
