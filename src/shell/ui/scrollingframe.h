#pragma once

#include <QRect>
#include <QScrollArea>

// The window of the program on a screen smaller than the main window: the
// main window keeps its fixed size and layout inside it, and the frame
// scrolls over it, within the screen's free area. Closing the frame closes
// the main window first, which may refuse (typed results kept). The main
// window stays its owner's.
class ScrollingFrame : public QScrollArea
{
    Q_OBJECT
public:
    // Takes `content` in, with its title, for the frame's whole life; `room`
    // is the screen's free area.
    ScrollingFrame(QWidget &content, const QRect &room);
    // Gives the content back to no parent, so that its owner deletes it.
    ~ScrollingFrame() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The content whole where it fits, the room less the window manager's
    // frame where it does not.
    void fitRoom();
    void bringIntoSight(QWidget *w);

    QRect m_room;
};
