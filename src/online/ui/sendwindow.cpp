#include "online/ui/sendwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

namespace texts {
const QString Title = QStringLiteral("Porvex : envoi des résultats");
const QString Server = QStringLiteral("Serveur : %1");
const QString Folder = QStringLiteral("Fichier : %1");
const QString User = QStringLiteral("Nom");
const QString Password = QStringLiteral("Mot de passe");
const QString Remember = QStringLiteral("Mémoriser");
const QString Send = QStringLiteral("Envoyer");
const QString Close = QStringLiteral("Fermer");
const QString Ready = QStringLiteral("Entrez votre nom et votre mot de passe de bénévole, puis « Envoyer ».");
const QStringList Columns = {QStringLiteral("Match"), QStringLiteral("Sur le serveur"), QStringLiteral("Ici"),
                             QStringLiteral("Garder")};
const QStringList Keep = {QStringLiteral("à choisir"), QStringLiteral("celui d'ici"),
                          QStringLiteral("celui du serveur")};
const QString Undecided = QStringLiteral("Choisissez quel résultat garder pour chaque match de la liste.");
const QString NotRemembered = QStringLiteral("Identifiants non mémorisés : %1");
} // namespace texts

QLabel *plainLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

SendWindow::SendWindow(SendWindowSetup setup, QWidget *parent)
    : QWidget(parent)
    , m_setup(std::move(setup))
{
    setObjectName(QStringLiteral("Porvex"));
    setWindowTitle(texts::Title);
    auto *layout = new QVBoxLayout(this);

    QLabel *server = plainLabel(QStringLiteral("Serveur"), this);
    server->setText(texts::Server.arg(m_setup.server));
    layout->addWidget(server);
    QLabel *folder = plainLabel(QStringLiteral("Fichier"), this);
    folder->setText(texts::Folder.arg(QDir::toNativeSeparators(m_setup.storePath)));
    layout->addWidget(folder);

    auto *form = new QFormLayout;
    m_user = new QLineEdit(m_setup.found.credentials.user, this);
    m_user->setObjectName(QStringLiteral("Nom"));
    m_password = new QLineEdit(m_setup.found.credentials.password, this);
    m_password->setObjectName(QStringLiteral("MotDePasse"));
    m_password->setEchoMode(QLineEdit::Password);
    m_remember = new QCheckBox(texts::Remember, this);
    m_remember->setObjectName(QStringLiteral("Memoriser"));
    m_remember->setChecked(m_setup.found.source == credentials::Found::Source::File);
    form->addRow(texts::User, m_user);
    form->addRow(texts::Password, m_password);
    form->addRow(QString(), m_remember);
    layout->addLayout(form);

    m_step = plainLabel(QStringLiteral("Etape"), this);
    layout->addWidget(m_step);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Progression"));
    m_progress->setRange(0, 0);
    m_progress->hide();
    layout->addWidget(m_progress);

    m_conflicts = new QTableWidget(0, int(texts::Columns.size()), this);
    m_conflicts->setObjectName(QStringLiteral("Conflits"));
    m_conflicts->setHorizontalHeaderLabels(texts::Columns);
    m_conflicts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_conflicts->verticalHeader()->hide();
    m_conflicts->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_conflicts->hide();
    layout->addWidget(m_conflicts);

    m_outcome = plainLabel(QStringLiteral("Resultat"), this);
    m_outcome->setText(m_setup.found.warning.isEmpty() ? texts::Ready : m_setup.found.warning);
    layout->addWidget(m_outcome);

    auto *buttons = new QHBoxLayout;
    m_send = new QPushButton(texts::Send, this);
    m_send->setObjectName(QStringLiteral("Envoyer"));
    m_send->setDefault(true);
    m_close = new QPushButton(texts::Close, this);
    m_close->setObjectName(QStringLiteral("Fermer"));
    buttons->addStretch();
    buttons->addWidget(m_send);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_send, &QPushButton::clicked, this, &SendWindow::send);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    resize(560, 260);
}

SendWindow::~SendWindow() = default;

void SendWindow::startIfReady()
{
    if (credentials::problem({m_user->text(), m_password->text()}).isEmpty())
        send();
}

int SendWindow::exitStatus() const
{
    return m_lastStatus ? Publication::exitStatus(*m_lastStatus) : 1;
}

storemerge::Choices SendWindow::choices() const
{
    storemerge::Choices choices;
    choices.forAll = m_setup.onConflict;
    for (int row = 0; row < m_conflicts->rowCount() && row < m_shownConflicts.size(); ++row) {
        const auto *keep = qobject_cast<QComboBox *>(m_conflicts->cellWidget(row, 3));
        if (!keep || keep->currentIndex() == 0)
            continue;
        const storemerge::Conflict &conflict = m_shownConflicts[row];
        const storemerge::Side side = keep->currentIndex() == 1 ? storemerge::Side::Mine : storemerge::Side::Theirs;
        choices.perConflict.insert(conflict.id(), {side, conflict.theirs});
    }
    return choices;
}

void SendWindow::send()
{
    if (m_publication)
        return;
    const Credentials given{m_user->text().trimmed(), m_password->text()};
    if (const QString problem = credentials::problem(given); !problem.isEmpty()) {
        m_outcome->setText(problem);
        return;
    }
    const storemerge::Choices chosen = choices();
    if (m_conflicts->isVisible() && !chosen.forAll && chosen.perConflict.size() < m_shownConflicts.size()) {
        m_outcome->setText(texts::Undecided);
        return;
    }
    // The file changes only as the box says: kept when ticked, removed when
    // the volunteer unticks remembered ones; credentials a script gave in
    // the environment leave it alone.
    QString note;
    QString error;
    const bool remembered = m_setup.found.source == credentials::Found::Source::File;
    if (m_remember->isChecked() ? !credentials::remember(m_setup.credentialsFile, given, &error)
                                : remembered && !credentials::forget(m_setup.credentialsFile)) {
        note = texts::NotRemembered.arg(error.isEmpty() ? QDir::toNativeSeparators(m_setup.credentialsFile) : error);
    }

    Publication::Settings settings{m_setup.storePath, m_setup.server, given, chosen};
    settings.plainHttpAllowed = m_setup.plainHttpAllowed;
    m_publication = new Publication(settings, m_setup.downloader, m_setup.uploader, this);
    connect(m_publication, &Publication::stepChanged, m_step, &QLabel::setText);
    connect(m_publication, &Publication::finished, this, [this, note](const Publication::Outcome &outcome) {
        m_publication->deleteLater();
        m_publication = nullptr;
        setBusy(false);
        showOutcome(outcome);
        if (!note.isEmpty())
            m_outcome->setText(m_outcome->text() + QLatin1Char('\n') + note);
        emit finished(outcome);
    });
    setBusy(true);
    m_outcome->clear();
    m_publication->start();
}

void SendWindow::setBusy(bool busy)
{
    m_progress->setVisible(busy);
    m_send->setEnabled(!busy);
    m_user->setEnabled(!busy);
    m_password->setEnabled(!busy);
    m_remember->setEnabled(!busy);
    m_conflicts->setEnabled(!busy);
}

void SendWindow::showOutcome(const Publication::Outcome &outcome)
{
    m_lastStatus = outcome.status;
    m_step->clear();
    QString text = outcome.message;
    if (!outcome.warning.isEmpty())
        text += QLatin1Char('\n') + outcome.warning;
    m_outcome->setText(text);
    if (outcome.status == Publication::Status::Conflicts) {
        showConflicts(outcome.conflicts);
        return;
    }
    // After a failure the choices made stay for the next try.
    if (outcome.status != Publication::Status::Published)
        return;
    m_shownConflicts.clear();
    m_conflicts->setRowCount(0);
    m_conflicts->hide();
    m_send->setEnabled(false);
}

void SendWindow::showConflicts(const QList<storemerge::Conflict> &conflicts)
{
    // A choice made already for the same conflict, against the same
    // published value, stays chosen.
    const storemerge::Choices earlier = choices();
    m_shownConflicts = conflicts;
    m_conflicts->setRowCount(int(conflicts.size()));
    for (int row = 0; row < conflicts.size(); ++row) {
        const storemerge::ConflictText text = storemerge::describe(m_setup.season, conflicts[row]);
        m_conflicts->setItem(row, 0, new QTableWidgetItem(text.what));
        m_conflicts->setItem(row, 1, new QTableWidgetItem(text.theirs));
        m_conflicts->setItem(row, 2, new QTableWidgetItem(text.mine));
        auto *keep = new QComboBox(m_conflicts);
        keep->addItems(texts::Keep);
        if (const auto found = earlier.perConflict.constFind(conflicts[row].id());
            found != earlier.perConflict.cend() && found->theirsSeen == conflicts[row].theirs)
            keep->setCurrentIndex(found->side == storemerge::Side::Mine ? 1 : 2);
        m_conflicts->setCellWidget(row, 3, keep);
    }
    m_conflicts->show();
}
