#pragma once

#include <QObject>
#include <QString>

#include <array>

class QFrame;
class QLabel;
class QWidget;

// The news line over the match-day area (`Frame5`, `Label14`) and the
// home/away captions it covers while there is news (`Label27`). It shows
// the news it is given, the store's or the one typed for sending; the text
// comes from the store or the server, so it is shown as plain text.
class NewsLine : public QObject
{
    Q_OBJECT
public:
    // The line stands in `window` over `matchDayArea`, which holds the captions.
    NewsLine(QWidget &window, QWidget &matchDayArea, QObject *parent = nullptr);

    void setText(const QString &text);
    // The whole news, however the line shows it.
    QString text() const { return m_text; }
    // Shows the line when there is news, the captions otherwise.
    void show();
    // The captions come back; every command puts the line away.
    void hide();

private:
    QString m_text;
    QFrame *m_panel = nullptr;
    QLabel *m_line = nullptr;
    std::array<QLabel *, 2> m_captions{};
};
