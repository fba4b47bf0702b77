#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Prompt;
class QToolButton;
class QWidget;
class Session;
struct TableFormat;

// The exports: the table as the window displays it (match day, sort) from
// the "Exporter…" button under the table, in each of the table formats, and
// a team's matches as a calendar file for the team card. They write with the
// very functions the command line's exports call.
class ExportsController : public QObject
{
    Q_OBJECT
public:
    struct Needs
    {
        Session &session;
        Prompt &prompt;  // tells a failure
        QWidget &window; // where the button stands
    };

    // The file an export goes to, empty when the user cancels; `suggested` is
    // a full path whose extension names the format.
    using FileChooser = std::function<QString(const QString &suggested)>;

    explicit ExportsController(const Needs &needs, QObject *parent = nullptr);

    // The chooser is a save dialog; tests give their answer instead.
    void setFileChooser(FileChooser chooser);
    // Asks where to write and exports the table as the window shows it; the
    // user is told of a failure.
    void exportTable(const TableFormat &format);
    // Exports to a given file; false (and the user told) when it cannot be written.
    bool exportTableTo(const TableFormat &format, const QString &path);
    // A team's matches as an iCalendar file.
    void exportTeamCalendar(const QString &team);
    bool exportTeamCalendarTo(const QString &team, const QString &path);

private:
    QString choose(const QString &suggestedName) const;
    bool written(bool ok, const QString &error);

    Needs m_needs;
    QToolButton *m_button = nullptr; // BtExport
    FileChooser m_chooser;
    QString m_lastFolder; // where the last export went, offered again
};
