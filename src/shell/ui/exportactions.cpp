// The exports of the table as displayed (spreadsheet, web page, PDF), offered
// by a small button under the table, and of a team's calendar; the window
// writes whatever match day or sort it shows, with the functions the command
// line uses.
#include "shell/ui/mainwindow.h"

#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shared/ui/windowstyle.h"
#include "standings/core/exportfile.h"
#include "standings/core/tableexport.h"
#include "standings/ui/tablepdf.h"
#include "team/core/teamcalendar.h"
#include "team/core/teamprinters.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QToolButton>

class MainWindow::ExportParts : public QObject
{
public:
    using QObject::QObject;
    QToolButton *button = nullptr;
    ExportFileChooser chooser;
    QString lastFolder; // where the last export went, offered again
};

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

struct FormatInfo
{
    MainWindow::TableFormat format;
    const char *objectName;
    const char *caption;
    const char *suffix;
    const char *filter;
};

constexpr FormatInfo Formats[] = {
    {MainWindow::TableFormat::Csv, "ExportCsv", "Tableur (CSV)…", "csv", "Tableur CSV (*.csv)"},
    {MainWindow::TableFormat::Html, "ExportHtml", "Page web (HTML)…", "html", "Page web (*.html *.htm)"},
    {MainWindow::TableFormat::Pdf, "ExportPdf", "Document PDF…", "pdf", "Document PDF (*.pdf)"},
};

const FormatInfo &infoOf(MainWindow::TableFormat format)
{
    for (const FormatInfo &info : Formats) {
        if (info.format == format)
            return info;
    }
    return Formats[0];
}

tableexport::Writer writerOf(MainWindow::TableFormat format)
{
    switch (format) {
    case MainWindow::TableFormat::Csv:
        return tableexport::writeCsv;
    case MainWindow::TableFormat::Html:
        return tableexport::writeHtml;
    case MainWindow::TableFormat::Pdf:
        break;
    }
    return tablepdf::writePdf;
}

// "Kestrane1-classement-J12-BC.csv": the match day and the sort in the name,
// so that several exports of one evening do not overwrite each other.
QString suggestedName(const DisplayedStandings &shown, const FormatInfo &info)
{
    QString name = texts::BaseName;
    if (shown.upToMatchDay < MatchDayCount)
        name += QStringLiteral("-J%1").arg(shown.upToMatchDay);
    if (!shown.sortCode.isEmpty())
        name += QLatin1Char('-') + shown.sortCode;
    return name + QLatin1Char('.') + QLatin1String(info.suffix);
}

// The dialog's filter for the suggested file's extension.
QString filterOf(const QString &suggested)
{
    const QString suffix = QFileInfo(suggested).suffix();
    for (const FormatInfo &info : Formats) {
        if (suffix == QLatin1String(info.suffix))
            return QLatin1String(info.filter);
    }
    return texts::CalendarFilter;
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

void MainWindow::installExports()
{
    m_exports = new ExportParts(this);
    m_exports->lastFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_exports->chooser = [this](const QString &suggested) {
        QString path = QFileDialog::getSaveFileName(this, texts::DialogTitle, suggested, filterOf(suggested));
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += QLatin1Char('.') + QFileInfo(suggested).suffix();
        return path;
    };

    auto *button = new QToolButton(this);
    button->setObjectName(QStringLiteral("BtExport"));
    button->setText(texts::Button);
    button->setToolTip(texts::ButtonTip);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    windowstyle::setColours(button, Qt::white, windowstyle::Navy);
    windowstyle::setBold(button);
    // Under the table's right end, on the line of the ranking title.
    button->setGeometry(1180, 398, 90, 20);
    auto *menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("MenuExport"));
    for (const FormatInfo &info : Formats) {
        QAction *action = menu->addAction(QString::fromUtf8(info.caption));
        action->setObjectName(QLatin1String(info.objectName));
        connect(action, &QAction::triggered, this, [this, format = info.format] { exportTable(format); });
    }
    button->setMenu(menu);
    m_exports->button = button;
}

void MainWindow::setExportFileChooser(ExportFileChooser chooser)
{
    m_exports->chooser = std::move(chooser);
}

void MainWindow::exportTable(TableFormat format)
{
    const FormatInfo &info = infoOf(format);
    const QString suggested =
        QDir(m_exports->lastFolder).filePath(suggestedName(m_session.standings().displayed(), info));
    const QString path = m_exports->chooser ? m_exports->chooser(suggested) : QString();
    if (path.isEmpty())
        return;
    if (exportTableTo(format, path))
        m_exports->lastFolder = QFileInfo(path).absolutePath();
}

void MainWindow::exportTeamCalendar(const QString &team)
{
    const QString suggested =
        QDir(m_exports->lastFolder).filePath(texts::CalendarBaseName + fileNameOf(team) + QStringLiteral(".ics"));
    const QString path = m_exports->chooser ? m_exports->chooser(suggested) : QString();
    if (path.isEmpty())
        return;
    if (exportTeamCalendarTo(team, path))
        m_exports->lastFolder = QFileInfo(path).absolutePath();
}

bool MainWindow::exportTeamCalendarTo(const QString &team, const QString &path)
{
    QString error;
    bool written = false;
    const TeamNo found = teamcalendar::findTeam(m_session.season(), team);
    if (found == NoTeam) {
        error = unknownTeamText(team);
    } else if (exportfile::isProgramFile(path, m_session.programFolder())) {
        error = exportfile::programFileRefused(path);
    } else {
        const QByteArray calendar =
            teamcalendar::toICalendar(m_session.season(), m_session.store(), found, m_session.clock().now());
        written = exportfile::write(path, calendar, error);
    }
    if (written)
        return true;
    m_services.prompt.inform(texts::FailureTitle, error);
    return false;
}

bool MainWindow::exportTableTo(TableFormat format, const QString &path)
{
    QString error;
    bool written = false;
    if (exportfile::isProgramFile(path, m_session.programFolder()))
        error = exportfile::programFileRefused(path);
    else
        written = writerOf(format)(m_session.standings().displayed(), path, error);
    if (written)
        return true;
    m_services.prompt.inform(texts::FailureTitle, error);
    return false;
}
