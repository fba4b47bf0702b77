#pragma once

#include <QFrame>

#include <array>

class QLabel;

// The about box `FraAP`: the program, the season, the author and a word of
// thanks to the volunteers, with the program's version.
class AboutPanel : public QFrame
{
    Q_OBJECT
public:
    AboutPanel(const QString &author, QWidget *parent = nullptr);

    // Fills the version line as the box opens.
    void showVersion(const QString &version);
    QLabel *line(int index) const { return m_lines.at(index); }

signals:
    void authorClicked();
    void contactClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLabel *, 7> m_lines{};
};
