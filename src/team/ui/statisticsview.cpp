#include "team/ui/statisticsview.h"

#include "standings/core/displayedstandings.h"
#include "standings/core/formguide.h"
#include "standings/core/rangetable.h"
#include "standings/core/resultsmatrix.h"
#include "standings/core/streaks.h"
#include "standings/core/tableexport.h"
#include "standings/core/tablereading.h"
#include "team/ui/rankevolutionchart.h"
#include "team/ui/statisticscells.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

namespace texts {
const QString Title = QStringLiteral("Statistiques");
const QString Pages = QStringLiteral("Pages des statistiques");
const QString UpTo = QStringLiteral("Jusqu'à la journée");
const QString Close = QStringLiteral("Fermer");
const QString Form = QStringLiteral("Forme");
const QString Tables = QStringLiteral("Classements");
const QString Matrix = QStringLiteral("Résultats");
const QString Runs = QStringLiteral("Séries");
const QString Evolution = QStringLiteral("Évolution");
const QString Last = QStringLiteral("Derniers matches");
const QString Newest = QStringLiteral("Le plus récent à droite : V victoire, N nul, D défaite.");
const QString All = QStringLiteral("Général");
const QString Home = QStringLiteral("Domicile");
const QString Away = QStringLiteral("Extérieur");
const QString From = QStringLiteral("De la journée");
const QString To = QStringLiteral("à");
const QString ToSpoken = QStringLiteral("À la journée");
const QString FirstHalf = QStringLiteral("1re moitié");
const QString SecondHalf = QStringLiteral("2e moitié");
const QString Team = QStringLiteral("Équipe");
const QString None = QStringLiteral("Aucune");
const QString ChooseTeams = QStringLiteral("Équipes comparées (2 à 4) :");
const QString RunsNote = QStringLiteral("Chaque case : série en cours / plus longue série.");
const QString RangeNote = QStringLiteral("Points des matches seuls, sans les bonus - malus ; "
                                         "le total qui les compte paraît au survol des points.");
const QString MatrixNote = QStringLiteral("Lignes : équipe à domicile ; colonnes : équipe à l'extérieur. "
                                          "Un clic sur une case ouvre la journée du match.");
const QString ChartName = QStringLiteral("Évolution du classement");
const QString FormTable = QStringLiteral("Forme des équipes");
const QString RangeTable = QStringLiteral("Classement de la période");
const QString MatrixTable = QStringLiteral("Résultats : équipes à domicile en lignes, à l'extérieur en colonnes");
const QString RunsTable = QStringLiteral("Séries des équipes");
const QStringList RangeHeaders = {QStringLiteral("Rang"), Team,
                                  QStringLiteral("Pts"),  QStringLiteral("J"),
                                  QStringLiteral("G"),    QStringLiteral("N"),
                                  QStringLiteral("P"),    QStringLiteral("BP"),
                                  QStringLiteral("BC"),   QStringLiteral("Diff")};
// Spoken titles of the range table's number columns, from "Pts" on.
const QStringList RangeTitles = {QStringLiteral("Points"),         QStringLiteral("Matches joués"),
                                 QStringLiteral("Matches gagnés"), QStringLiteral("Matches nuls"),
                                 QStringLiteral("Matches perdus"), QStringLiteral("Buts pour"),
                                 QStringLiteral("Buts contre"),    QStringLiteral("Différence de buts")};
} // namespace texts

constexpr int PageCount = 5;

// A page of the view: its choices on a first row, what it shows below.
struct PageParts
{
    QWidget *page;
    QVBoxLayout *layout;
    QHBoxLayout *choices;
};

PageParts addPage(QTabWidget *tabs, const QString &name, const QString &caption)
{
    auto *widget = new QWidget(tabs);
    widget->setObjectName(name);
    tabs->addTab(widget, caption);
    auto *layout = new QVBoxLayout(widget);
    auto *choices = new QHBoxLayout;
    layout->addLayout(choices);
    return {widget, layout, choices};
}

QSpinBox *matchDayBox(QWidget *parent, const QString &name, int value, const QString &spoken)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, MatchDayCount);
    box->setValue(value);
    box->setAccessibleName(spoken);
    return box;
}

} // namespace

StatisticsView::StatisticsView(Sources sources, QWidget *parent)
    : QFrame(parent)
    , m_sources(std::move(sources))
{
    setObjectName(QStringLiteral("FraStats"));
    setAccessibleName(texts::Title);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);

    auto *layout = new QVBoxLayout(this);
    buildHeader();
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabStats"));
    // Named here: the view is built at its first opening, after the window
    // has named its areas.
    m_tabs->setAccessibleName(texts::Pages);
    layout->addWidget(m_tabs);
    buildFormPage();
    buildTablesPage();
    buildMatrixPage();
    buildRunsPage();
    buildEvolutionPage();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        // The tables have their own range, the chart the whole history.
        m_matchDay->setEnabled(Page(index) != Page::Tables && Page(index) != Page::Evolution);
        renderPage(index);
    });

    connect(&m_sources.store, &ResultStore::changed, this, [this] {
        pageStale({Page::Form, Page::Tables, Page::Matrix, Page::Runs, Page::Evolution});
    });
}

void StatisticsView::buildHeader()
{
    auto *row = new QHBoxLayout;
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    auto *title = new QLabel(texts::Title, this);
    title->setObjectName(QStringLiteral("LabStats"));
    title->setTextFormat(Qt::PlainText);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPixelSize(17);
    title->setFont(bold);
    row->addWidget(title);
    row->addStretch();
    auto *upTo = new QLabel(texts::UpTo, this);
    row->addWidget(upTo);
    m_matchDay = matchDayBox(this, QStringLiteral("SpinStatsMatchDay"), MatchDayCount, texts::UpTo);
    upTo->setBuddy(m_matchDay);
    row->addWidget(m_matchDay);
    // The tables' zones follow it too: they mark the table of the season so far only.
    connect(m_matchDay, &QSpinBox::valueChanged, this, [this] {
        pageStale({Page::Form, Page::Tables, Page::Matrix, Page::Runs});
    });
    m_close = new QPushButton(texts::Close, this);
    m_close->setObjectName(QStringLiteral("BtStatsClose"));
    row->addWidget(m_close);
    connect(m_close, &QPushButton::clicked, this, &StatisticsView::closeView);
}

void StatisticsView::buildFormPage()
{
    const auto [form, layout, row] = addPage(m_tabs, QStringLiteral("PageForm"), texts::Form);
    auto *label = new QLabel(texts::Last, form);
    row->addWidget(label);
    m_last = new QSpinBox(form);
    m_last->setObjectName(QStringLiteral("SpinLast"));
    m_last->setRange(1, MatchDayCount);
    m_last->setValue(formguide::DefaultLast);
    m_last->setAccessibleName(texts::Last);
    label->setBuddy(m_last);
    row->addWidget(m_last);
    row->addSpacing(16);
    row->addWidget(new QLabel(texts::Newest, form));
    row->addStretch();
    connect(m_last, &QSpinBox::valueChanged, this, [this] { pageStale({Page::Form}); });
    m_form = statisticscells::table(form, QStringLiteral("TableForm"), TeamCount, {});
    m_form->setAccessibleName(texts::FormTable);
    layout->addWidget(m_form);
}

void StatisticsView::buildTablesPage()
{
    const auto [tables, layout, row] = addPage(m_tabs, QStringLiteral("PageTables"), texts::Tables);
    auto *venues = new QButtonGroup(tables);
    const auto venue = [&](QRadioButton *&button, const QString &name, const QString &caption) {
        button = new QRadioButton(caption, tables);
        button->setObjectName(name);
        venues->addButton(button);
        row->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                pageStale({Page::Tables});
        });
    };
    venue(m_all, QStringLiteral("RadioAll"), texts::All);
    venue(m_home, QStringLiteral("RadioHome"), texts::Home);
    venue(m_away, QStringLiteral("RadioAway"), texts::Away);
    m_all->setChecked(true);
    row->addSpacing(16);

    auto *from = new QLabel(texts::From, tables);
    row->addWidget(from);
    m_from = matchDayBox(tables, QStringLiteral("SpinFrom"), 1, texts::From);
    from->setBuddy(m_from);
    row->addWidget(m_from);
    auto *to = new QLabel(texts::To, tables);
    row->addWidget(to);
    m_to = matchDayBox(tables, QStringLiteral("SpinTo"), MatchDayCount, texts::ToSpoken);
    to->setBuddy(m_to);
    row->addWidget(m_to);
    // A range never runs backwards: the other end follows.
    connect(m_from, &QSpinBox::valueChanged, this, [this](int from) { setRange(from, std::max(from, m_to->value())); });
    connect(m_to, &QSpinBox::valueChanged, this, [this](int to) { setRange(std::min(to, m_from->value()), to); });

    const auto half = [&](const QString &name, const QString &caption, MatchDayNo first, MatchDayNo last) {
        auto *button = new QPushButton(caption, tables);
        button->setObjectName(name);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, first, last] { setRange(first, last); });
    };
    half(QStringLiteral("BtFirstHalf"), texts::FirstHalf, 1, rangetable::FirstHalfEnd);
    half(QStringLiteral("BtSecondHalf"), texts::SecondHalf, rangetable::FirstHalfEnd + 1, MatchDayCount);
    row->addStretch();

    m_range = statisticscells::table(tables, QStringLiteral("TableRange"), TeamCount, texts::RangeHeaders);
    m_range->setAccessibleName(texts::RangeTable);
    layout->addWidget(m_range);
    auto *note = new QLabel(texts::RangeNote, tables);
    note->setObjectName(QStringLiteral("LabRangeNote"));
    note->setTextFormat(Qt::PlainText);
    layout->addWidget(note);
}

void StatisticsView::buildMatrixPage()
{
    const auto [matrix, layout, row] = addPage(m_tabs, QStringLiteral("PageMatrix"), texts::Matrix);
    auto *note = new QLabel(texts::MatrixNote, matrix);
    note->setWordWrap(true);
    row->addWidget(note);
    QStringList numbers;
    for (int n = 1; n <= TeamCount; ++n)
        numbers << QString::number(n);
    m_matrix = statisticscells::table(matrix, QStringLiteral("TableMatrix"), TeamCount, numbers);
    m_matrix->setAccessibleName(texts::MatrixTable);
    m_matrix->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_matrix->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_matrix->verticalHeader()->setVisible(true);
    layout->addWidget(m_matrix);
    // A click, or Enter or Space on the current cell, opens the fixture's
    // match day (the item view's own activation differs between platforms).
    connect(m_matrix, &QTableWidget::cellClicked, this, &StatisticsView::matrixCellChosen);
    m_matrix->installEventFilter(this);
}

void StatisticsView::buildRunsPage()
{
    const auto [runs, layout, row] = addPage(m_tabs, QStringLiteral("PageRuns"), texts::Runs);
    row->addWidget(new QLabel(texts::RunsNote, runs));
    QStringList headers{texts::Team};
    for (const QString &heading : streaks::headings())
        headers << heading;
    m_runs = statisticscells::table(runs, QStringLiteral("TableRuns"), TeamCount, headers);
    m_runs->setAccessibleName(texts::RunsTable);
    layout->addWidget(m_runs);
}

void StatisticsView::buildEvolutionPage()
{
    const auto [evolution, layout, row] = addPage(m_tabs, QStringLiteral("PageEvolution"), texts::Evolution);
    row->addWidget(new QLabel(texts::ChooseTeams, evolution));
    for (int i = 0; i < rankevolution::MaxTeams; ++i) {
        auto *combo = new QComboBox(evolution);
        combo->setObjectName(QStringLiteral("ComboTeam"));
        combo->setProperty("index", i);
        combo->setAccessibleName(texts::Team + QLatin1Char(' ') + QString::number(i + 1));
        // Two teams at least: the third and fourth may be none.
        if (i >= rankevolution::MinTeams)
            combo->addItem(texts::None, -1);
        row->addWidget(combo);
        combo->view()->installEventFilter(this);
        connect(combo, &QComboBox::activated, this, [this] {
            m_teamsChosen = true;
            pageStale({Page::Evolution});
        });
        m_teams[i] = combo;
    }
    row->addStretch();
    m_chart = new RankEvolutionChart(evolution);
    m_chart->setAccessibleName(texts::ChartName);
    layout->addWidget(m_chart, 1);
}

void StatisticsView::setMatchDay(MatchDayNo day)
{
    m_matchDay->setValue(std::clamp(day, 1, MatchDayCount));
    // The tables open on the same match days as the other pages.
    setRange(1, m_matchDay->value());
}

MatchDayNo StatisticsView::matchDay() const
{
    return m_matchDay->value();
}

void StatisticsView::showPage(Page page)
{
    m_tabs->setCurrentIndex(int(page));
}

StatisticsView::Page StatisticsView::page() const
{
    return Page(m_tabs->currentIndex());
}

void StatisticsView::refresh()
{
    m_stale.fill(true);
    renderPage(m_tabs->currentIndex());
}

void StatisticsView::pageStale(std::initializer_list<Page> pages)
{
    for (const Page p : pages)
        m_stale[int(p)] = true;
    // Only the page on display is computed now; the others when they show.
    if (isVisible())
        renderPage(m_tabs->currentIndex());
}

void StatisticsView::renderPage(int index)
{
    if (index < 0 || index >= PageCount || !m_stale[index])
        return;
    m_stale[index] = false;
    switch (Page(index)) {
    case Page::Form:
        renderForm();
        break;
    case Page::Tables:
        renderTables();
        break;
    case Page::Matrix:
        renderMatrix();
        break;
    case Page::Runs:
        renderRuns();
        break;
    case Page::Evolution:
        renderEvolution();
        break;
    }
}

void StatisticsView::renderForm()
{
    const formguide::Guide guide =
        formguide::compute(m_sources.season, m_sources.store, m_sources.bonusMalus, matchDay(), m_last->value());
    statisticscells::fillForm(m_form, guide, m_sources.season);
}

void StatisticsView::renderTables()
{
    const rangetable::Venue venue = m_home->isChecked()   ? rangetable::Venue::Home
                                    : m_away->isChecked() ? rangetable::Venue::Away
                                                          : rangetable::Venue::All;
    // The zones and the points with their adjustments belong to the general
    // table of the season so far only.
    const bool general = venue == rangetable::Venue::All && m_from->value() == 1 && m_to->value() >= matchDay();
    statisticscells::fillRange(
        m_range, rangetable::compute(m_sources.season, m_sources.store, m_from->value(), m_to->value(), venue),
        texts::RangeTitles, general ? &m_sources.bonusMalus : nullptr);
}

void StatisticsView::renderMatrix()
{
    const resultsmatrix::Matrix matrix = resultsmatrix::compute(m_sources.season, m_sources.store, matchDay());
    for (TeamNo home = 0; home < TeamCount; ++home) {
        for (TeamNo away = 0; away < TeamCount; ++away)
            m_cellDays[home][away] = home == away ? 0 : matrix.cells[home][away].matchDay;
    }
    statisticscells::fillMatrix(m_matrix, matrix);
}

void StatisticsView::renderRuns()
{
    statisticscells::fillRuns(m_runs,
                              streaks::compute(m_sources.season, m_sources.store, m_sources.bonusMalus, matchDay()));
}

void StatisticsView::renderEvolution()
{
    fillTeamLists();
    if (!m_teamsChosen) {
        // The leader and the second of the table of the chosen match day.
        const TableOrder order = tableOrder(m_sources.season, m_sources.store, m_sources.bonusMalus, matchDay());
        for (int i = 0; i < rankevolution::MinTeams; ++i)
            m_teams[i]->setCurrentIndex(m_teams[i]->findData(order[i]));
    }
    QList<TeamNo> chosen;
    for (const QComboBox *combo : m_teams) {
        const int team = combo->currentData().toInt();
        if (team >= 0)
            chosen << team;
    }
    static const RankingHistory none;
    const RankingHistory &history = m_sources.history ? m_sources.history() : none;
    auto series = rankevolution::compute(history, m_sources.season, chosen);
    m_chart->setAccessibleDescription(statisticscells::evolutionDescription(series));
    m_chart->setSeries(std::move(series));
}

void StatisticsView::fillTeamLists()
{
    // Named when first drawn, from the season as loaded by then.
    for (QComboBox *combo : m_teams) {
        const int first = combo->findData(-1) >= 0 ? 1 : 0;
        for (TeamNo team = 0; team < TeamCount; ++team) {
            const QString name = m_sources.season.teamName(team);
            if (first + team >= combo->count())
                combo->addItem(name, team);
            else if (combo->itemText(first + team) != name)
                combo->setItemText(first + team, name);
        }
    }
}

void StatisticsView::setRange(MatchDayNo from, MatchDayNo to)
{
    {
        const QSignalBlocker quietFrom(m_from);
        const QSignalBlocker quietTo(m_to);
        m_from->setValue(from);
        m_to->setValue(to);
    }
    pageStale({Page::Tables});
}

void StatisticsView::matrixCellChosen(int row, int column)
{
    if (row < 0 || row >= TeamCount || column < 0 || column >= TeamCount)
        return;
    if (const MatchDayNo day = m_cellDays[row][column]; day > 0)
        emit matchDayRequested(day);
}

void StatisticsView::closeView()
{
    hide();
    emit closed();
}

bool StatisticsView::eventFilter(QObject *watched, QEvent *event)
{
    // Escape in an open team list is the list's: claimed before the list's
    // own handling closes it and lets the key on to the window, which would
    // close the whole view.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        for (const QComboBox *combo : m_teams) {
            if (combo && watched == combo->view() && combo->view()->isVisible()) {
                event->accept();
                return true;
            }
        }
    }
    if (watched == m_matrix && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            matrixCellChosen(m_matrix->currentRow(), m_matrix->currentColumn());
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

bool StatisticsView::event(QEvent *event)
{
    // Escape closes this view, whatever the window around it does with the key.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QFrame::event(event);
}

void StatisticsView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        closeView();
        return;
    }
    QFrame::keyPressEvent(event);
}

void StatisticsView::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    renderPage(m_tabs->currentIndex());
}
