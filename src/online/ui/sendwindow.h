#pragma once

#include "online/core/credentials.h"
#include "online/core/publication.h"
#include "season/core/season.h"

#include <QList>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

// What the sending tool's window works with.
struct SendWindowSetup
{
    QString storePath;
    QString server;
    QString credentialsFile;  // where "Mémoriser" keeps them
    credentials::Found found; // what the environment or the file gave
    Season season;            // names the fixtures of conflicts; may be empty
    std::optional<storemerge::Side> onConflict;
    Downloader *downloader = nullptr;
    Uploader *uploader = nullptr;
    bool plainHttpAllowed = false; // the password may go over plain HTTP to another machine
};

// The sending tool's small window: the volunteer's name and password with
// "Mémoriser", the progress of the send, how many results came from other
// volunteers, the conflicts to decide (fixture, the server's result, mine,
// which to keep) and the outcome. It renders what a Publication reports and
// hands it the volunteer's choices; it keeps no results of its own.
class SendWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SendWindow(SendWindowSetup setup, QWidget *parent = nullptr);
    ~SendWindow() override;

    // Sends at once when the name and password are known already.
    void startIfReady();
    // The tool's exit status: that of the last send, 1 when none was made.
    int exitStatus() const;

signals:
    void finished(const Publication::Outcome &outcome);

private:
    void send();
    void showOutcome(const Publication::Outcome &outcome);
    void showConflicts(const QList<storemerge::Conflict> &conflicts);
    storemerge::Choices choices() const;
    void setBusy(bool busy);

    SendWindowSetup m_setup;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_remember = nullptr;
    QLabel *m_step = nullptr;
    QProgressBar *m_progress = nullptr;
    QTableWidget *m_conflicts = nullptr;
    QLabel *m_outcome = nullptr;
    QPushButton *m_send = nullptr;
    QPushButton *m_close = nullptr;
    Publication *m_publication = nullptr;
    QList<storemerge::Conflict> m_shownConflicts;
    std::optional<Publication::Status> m_lastStatus;
};
