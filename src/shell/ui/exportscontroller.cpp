#include "shell/ui/exportscontroller.h"

#include "shared/ui/windowareas.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "standings/core/exportfile.h"
#include "standings/ui/tableformats.h"
#include "team/core/teamcalendar.h"
#include "team/core/teamprinters.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QToolButton>

namespace {

namespace texts {
const QString Button = QStringLiteral("Exporter…");
const QString ButtonTip = QStringLiteral("Enregistrer le classement affiché dans un fichier");
const QString DialogTitle = QStringLiteral("Exporter le classement");
const QString FailureTitle = QStringLiteral("Exporter");
const QString BaseName = QStringLiteral("Kestrane1-classement");
const QString CalendarBaseName = QStringLiteral("Kestrane1-");
const QString CalendarFilter = QStringLiteral("Agenda iCalendar (*.ics)");
} // namespace texts

// "Kestrane1-classement-J12-BC.csv": the match day and the sort in the name,
// so that several exports of one evening do not overwrite each other.
QString suggestedName(const DisplayedStandings &shown, const TableFormat &format)
{
    QString name = texts::BaseName;
    if (shown.upToMatchDay < MatchDayCount)
        name += QStringLiteral("-J%1").arg(shown.upToMatchDay);
    if (!shown.sortCode.isEmpty())
        name += QLatin1Char('-') + shown.sortCode;
    return name + QLatin1Char('.') + QLatin1String(format.suffix);
}

// The dialog's filter for the suggested file's extension.
QString filterOf(const QString &suggested)
{
    const TableFormat *format = tableformats::ofSuffix(QFileInfo(suggested).suffix());
    return format ? QLatin1String(format->filter) : texts::CalendarFilter;
}

// A team's name as a file name: letters, digits and dashes.
QString fileNameOf(const QString &team)
{
    QString name;
    for (const QChar c : team.simplified())
        name += c.isLetterOrNumber() ? c : QChar(u'-');
    return name;
}

} // namespace

ExportsController::ExportsController(const Needs &needs, QObject *parent)
    : QObject(parent)
    , m_needs(needs)
    , m_lastFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{
    QWidget *window = &needs.window;
    m_chooser = [window](const QString &suggested) {
        QString path = QFileDialog::getSaveFileName(window, texts::DialogTitle, suggested, filterOf(suggested));
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += QLatin1Char('.') + QFileInfo(suggested).suffix();
        return path;
    };

    m_button = new QToolButton(window);
    m_button->setObjectName(QStringLiteral("BtExport"));
    m_button->setText(texts::Button);
    m_button->setToolTip(texts::ButtonTip);
    m_button->setPopupMode(QToolButton::InstantPopup);
    m_button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    windowstyle::setColours(m_button, Qt::white, windowstyle::Navy);
    windowstyle::setBold(m_button);
    // Under the table's right end, on the line of the ranking title.
    m_button->setGeometry(windowareas::ExportButton);
    auto *menu = new QMenu(m_button);
    menu->setObjectName(QStringLiteral("MenuExport"));
    for (const TableFormat &format : tableformats::all()) {
        QAction *action = menu->addAction(QString::fromUtf8(format.menuCaption));
        action->setObjectName(QLatin1String(format.menuName));
        connect(action, &QAction::triggered, this, [this, &format] { exportTable(format); });
    }
    m_button->setMenu(menu);
}

void ExportsController::setFileChooser(FileChooser chooser)
{
    m_chooser = std::move(chooser);
}

QString ExportsController::choose(const QString &suggestedName) const
{
    const QString suggested = QDir(m_lastFolder).filePath(suggestedName);
    return m_chooser ? m_chooser(suggested) : QString();
}

void ExportsController::exportTable(const TableFormat &format)
{
    const QString path = choose(suggestedName(m_needs.session.standings().displayed(), format));
    if (path.isEmpty())
        return;
    if (exportTableTo(format, path))
        m_lastFolder = QFileInfo(path).absolutePath();
}

void ExportsController::exportTeamCalendar(const QString &team)
{
    const QString path = choose(texts::CalendarBaseName + fileNameOf(team) + QStringLiteral(".ics"));
    if (path.isEmpty())
        return;
    if (exportTeamCalendarTo(team, path))
        m_lastFolder = QFileInfo(path).absolutePath();
}

bool ExportsController::written(bool ok, const QString &error)
{
    if (!ok)
        m_needs.prompt.inform(texts::FailureTitle, error);
    return ok;
}

bool ExportsController::exportTeamCalendarTo(const QString &team, const QString &path)
{
    Session &session = m_needs.session;
    const TeamNo found = teamcalendar::findTeam(session.season(), team);
    if (found == NoTeam)
        return written(false, unknownTeamText(team));
    if (exportfile::isProgramFile(path, session.programFolder()))
        return written(false, exportfile::programFileRefused(path));
    QString error;
    const QByteArray calendar =
        teamcalendar::toICalendar(session.season(), session.store(), found, session.clock().now());
    return written(exportfile::write(path, calendar, error), error);
}

bool ExportsController::exportTableTo(const TableFormat &format, const QString &path)
{
    Session &session = m_needs.session;
    if (exportfile::isProgramFile(path, session.programFolder()))
        return written(false, exportfile::programFileRefused(path));
    QString error;
    return written(format.write(session.standings().displayed(), path, error), error);
}
