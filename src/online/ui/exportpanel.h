#pragma once

#include <QFrame>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The export panel `Frame6` ("Expédition fichier") a volunteer opens before
// publishing: the news line (`Text1`, its accents folded as it is typed), the
// published version (`Text2`, locked until double-clicked), this program's
// version (`Label16`), and the points adjustments (`Combo1`, `Text3`(1),
// `List7`). Each box carries a spoken name and its caption is linked to it;
// the version unlocks by Enter too, for the keyboard. It holds what is typed; the results store is written by the
// window's export commands.
class ExportPanel : public QFrame
{
    Q_OBJECT
public:
    explicit ExportPanel(QWidget *parent = nullptr);

    // Fills the panel as it opens. The team list is filled once and keeps its
    // twenty names however often the panel opens.
    void open(const QString &news, const QString &publishedVersion, const QString &programVersion,
              const QStringList &teams, const QStringList &adjustments);
    // The three command buttons of the panel, placed by it.
    void placeButtons(QPushButton *send, QPushButton *close, QPushButton *insert);

    QString news() const;
    void setNews(const QString &news);
    QString publishedVersion() const;
    bool versionLocked() const;
    QString adjustmentText() const;
    void setAdjustmentText(const QString &text);
    // The team chosen for an adjustment; empty when none is.
    QString chosenTeam() const;
    void showAdjustments(const QStringList &lines);

    // Room left at the top of the panel for the news panel's preview.
    static constexpr int PreviewTop = 26;
    static constexpr int PreviewBottom = 70;

signals:
    // The news as it will be published, after each change of `Text1`.
    void newsChanged(const QString &published);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void foldNews();
    void lockVersion();

    QLineEdit *m_news = nullptr;          // Text1
    QLineEdit *m_version = nullptr;       // Text2
    QLabel *m_programVersion = nullptr;   // Label16
    QLineEdit *m_adjustment = nullptr;    // Text3(1)
    QComboBox *m_teams = nullptr;         // Combo1
    QListWidget *m_adjustments = nullptr; // List7
};
