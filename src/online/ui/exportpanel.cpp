#include "online/ui/exportpanel.h"

#include "online/core/exportdata.h"
#include "shared/ui/announcer.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
constexpr int Width = 296;
constexpr int Margin = 8;
constexpr int Inner = Width - 2 * Margin;

// What screen readers say of the boxes, whose captions are linked to them.
namespace spoken {
const QString News = QStringLiteral("Nouvelle à publier");
const QString Version = QStringLiteral("Version publiée");
const QString Locked = QStringLiteral("Verrouillée : Entrée ou un double-clic la rend modifiable.");
const QString Unlocked = QStringLiteral("Version publiée modifiable.");
const QString Team = QStringLiteral("Équipe du bonus ou malus");
const QString Adjustment = QStringLiteral("Bonus ou malus de points");
const QString Adjustments = QStringLiteral("Bonus et malus en cours");
} // namespace spoken

QLabel *caption(const QString &text, QWidget *parent, const QRect &where)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(where);
    return label;
}

bool unlocksVersion(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2;
}
} // namespace

ExportPanel::ExportPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame6"));

    auto *title = caption(QStringLiteral("Expédition fichier"), this, QRect(Margin, 4, Inner, 20));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 1);
    title->setFont(bold);

    int top = PreviewBottom + 4;
    QLabel *newsCaption =
        caption(QStringLiteral("Nouvelle (vide : aucune nouvelle)"), this, QRect(Margin, top, Inner, 16));
    m_news = new QLineEdit(this);
    m_news->setObjectName(QStringLiteral("Text1"));
    m_news->setAccessibleName(spoken::News);
    newsCaption->setBuddy(m_news);
    m_news->setGeometry(Margin, top + 18, Inner, 22);
    connect(m_news, &QLineEdit::textChanged, this, &ExportPanel::foldNews);

    top += 50;
    QLabel *versionCaption = caption(QStringLiteral("Version publiée"), this, QRect(Margin, top, 140, 16));
    m_version = new QLineEdit(this);
    m_version->setObjectName(QStringLiteral("Text2"));
    m_version->setAccessibleName(spoken::Version);
    versionCaption->setBuddy(m_version);
    m_version->setGeometry(Margin, top + 18, 60, 22);
    lockVersion();
    m_version->installEventFilter(this);
    QLabel *programCaption =
        caption(QStringLiteral("Version du programme"), this, QRect(150, top, Width - 150 - Margin, 16));
    m_programVersion = new QLabel(this);
    programCaption->setBuddy(m_programVersion);
    m_programVersion->setObjectName(QStringLiteral("Label16"));
    m_programVersion->setTextFormat(Qt::PlainText);
    m_programVersion->setGeometry(150, top + 18, 60, 22);

    top += 54;
    QLabel *adjustmentCaption = caption(QStringLiteral("Bonus - Malus"), this, QRect(Margin, top, Inner, 16));
    m_teams = new QComboBox(this);
    m_teams->setObjectName(QStringLiteral("Combo1"));
    m_teams->setAccessibleName(spoken::Team);
    adjustmentCaption->setBuddy(m_teams);
    m_teams->setGeometry(Margin, top + 18, 196, 22);
    m_adjustment = new QLineEdit(this);
    m_adjustment->setObjectName(QStringLiteral("Text3"));
    m_adjustment->setProperty("index", 1);
    m_adjustment->setGeometry(Margin + 204, top + 18, Inner - 204, 22);
    m_adjustment->setAlignment(Qt::AlignRight);
    m_adjustment->setAccessibleName(spoken::Adjustment);

    top += 72;
    m_adjustments = new QListWidget(this);
    m_adjustments->setObjectName(QStringLiteral("List7"));
    m_adjustments->setAccessibleName(spoken::Adjustments);
    m_adjustments->setGeometry(Margin, top, Inner, 200);
}

void ExportPanel::placeButtons(QPushButton *send, QPushButton *close, QPushButton *insert)
{
    insert->setGeometry(Margin + 204, m_adjustment->y() + 26, Inner - 204, 22);
    const int bottom = m_adjustments->geometry().bottom() + 12;
    send->setGeometry(Margin, bottom, 130, 24);
    close->setGeometry(Width - Margin - 130, bottom, 130, 24);
}

void ExportPanel::open(const QString &news, const QString &publishedVersion, const QString &programVersion,
                       const QStringList &teams, const QStringList &adjustments)
{
    showAdjustments(adjustments);
    if (m_teams->count() != teams.size()) {
        m_teams->clear();
        m_teams->addItems(teams);
        m_teams->setCurrentIndex(-1);
    }
    m_news->setText(news);
    m_version->setText(publishedVersion);
    lockVersion();
    m_programVersion->setText(programVersion);
}

QString ExportPanel::news() const
{
    return m_news->text();
}

void ExportPanel::setNews(const QString &news)
{
    m_news->setText(news);
}

QString ExportPanel::publishedVersion() const
{
    return m_version->text();
}

bool ExportPanel::versionLocked() const
{
    return m_version->isReadOnly();
}

QString ExportPanel::adjustmentText() const
{
    return m_adjustment->text();
}

void ExportPanel::setAdjustmentText(const QString &text)
{
    m_adjustment->setText(text);
}

QString ExportPanel::chosenTeam() const
{
    return m_teams->currentIndex() < 0 ? QString() : m_teams->currentText();
}

void ExportPanel::showAdjustments(const QStringList &lines)
{
    m_adjustments->clear();
    m_adjustments->addItems(lines);
}

void ExportPanel::foldNews()
{
    const QString published = exportdata::publishedNews(m_news->text());
    if (published != m_news->text()) {
        // Folding keeps every character in place, so the cursor stays put.
        const int cursor = m_news->cursorPosition();
        const QSignalBlocker quiet(m_news);
        m_news->setText(published);
        m_news->setCursorPosition(cursor);
    }
    emit newsChanged(published);
}

void ExportPanel::lockVersion()
{
    m_version->setReadOnly(true);
    m_version->setToolTip(QStringLiteral("Double-cliquer ou appuyer sur Entrée pour modifier"));
    m_version->setAccessibleDescription(spoken::Locked);
}

bool ExportPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The version unlocks by a double-click or, from the keyboard, by Enter
    // (or F2) on the locked box; once open, Enter is the box's own again.
    if (watched == m_version && m_version->isReadOnly() && unlocksVersion(event)) {
        m_version->setReadOnly(false);
        m_version->setToolTip(QString());
        m_version->setAccessibleDescription(QString());
        m_version->setFocus();
        Announcer::say(this, spoken::Unlocked);
        return event->type() == QEvent::KeyPress;
    }
    return QFrame::eventFilter(watched, event);
}
