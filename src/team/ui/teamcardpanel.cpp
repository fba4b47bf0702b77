#include "team/ui/teamcardpanel.h"

#include "shared/ui/fittedtext.h"
#include "shared/ui/twips.h"
#include "shared/ui/windowstyle.h"
#include "team/ui/teamstyle.h"

#include <QLabel>
#include <QListWidget>

#include <algorithm>

namespace {

// Design of the card in twips: the first row, the columns of a row and the
// bar frames. The away column stands 5000 to the right of the home column,
// second-half rows 1000 below their place.
constexpr int FirstRowTop = 1905;
constexpr int RowPitch = 300;
constexpr int RowHeight = 285;
constexpr int AwayShift = 5000;
constexpr int SecondHalfShift = 1000;
constexpr int MarkerLeft = 1875, MarkerWidth = 300;
// The names take the width the dates ("17 08 13") and the goals leave free,
// up to the next column's markers.
constexpr int HomeLeft = 2190, NameWidth = 1665;
constexpr int CardWidth = 180;
constexpr int GoalsWidth = 270;
constexpr int HomeGoalsLeft = HomeLeft + NameWidth - 15, AwayGoalsLeft = HomeGoalsLeft + GoalsWidth + 15;
constexpr int AwayLeft = AwayGoalsLeft + GoalsWidth - 15;
constexpr int DateLeft = AwayLeft + NameWidth + 15, DateWidth = 810;
static_assert(DateLeft + DateWidth <= MarkerLeft + AwayShift);
constexpr int KeyLeft = 2670, KeyWidth = 750;
constexpr int BarWidth = 3435, SeasonBarWidth = 8070, BarHeight = 330;
constexpr int BarLabelLeft = -10, BarLabelTop = -150, BarLabelHeight = 495;
constexpr int HeaderHeight = 285;
constexpr int BarBelowRow = 650;
constexpr int HeaderAboveBar = 300;
// Pixels a long name may lose before it is elided: the longest name of the
// bundled season, bold beside two card boxes, shows whole.
constexpr int NameShrink = 3;

const QColor NotPlayed = windowstyle::colour(palette::card::NotPlayed);
const QColor Won = windowstyle::colour(palette::card::Won);
const QColor Lost = windowstyle::colour(palette::card::Lost);
const QColor Drawn = windowstyle::colour(palette::card::Drawn);
const QColor Incomplete = windowstyle::colour(palette::card::Incomplete);
const QColor RedCard = windowstyle::colour(palette::card::RedCards);
const QColor YellowCard = windowstyle::colour(palette::card::YellowCards);
const QColor Favourite = windowstyle::colour(palette::card::Favourite);
const QColor Scored = windowstyle::colour(palette::card::Scored);
const QColor Conceded = windowstyle::colour(palette::card::Conceded);

QColor markerColour(CardOutcome outcome)
{
    switch (outcome) {
    case CardOutcome::Won:
        return Won;
    case CardOutcome::Lost:
        return Lost;
    case CardOutcome::Drawn:
        return Drawn;
    case CardOutcome::Incomplete:
        return Incomplete;
    case CardOutcome::NotPlayed:
        break;
    }
    return NotPlayed;
}

// The reference top of row `index`: the top of its hidden key box.
int rowTop(int index)
{
    return FirstRowTop + RowPitch * (index % TeamCard::ColumnRows);
}

QLabel *box(QWidget *parent, const char *name, int index, const QColor &fill)
{
    QLabel *label = teamstyle::label(parent, QLatin1String(name), index, QRect());
    windowstyle::setPixelSize(label, 10);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    windowstyle::setFillColour(label, fill);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void place(QWidget *widget, int left, int top, int width)
{
    const QRect where = twipsRect(left, top, width, RowHeight);
    if (widget->geometry() != where)
        widget->setGeometry(where);
}

// A box of a row, placed by its left in the panel's twips on the row's line
// whose left is `lineLeft`.
void placeOnLine(QWidget *widget, int lineLeft, int left, int width)
{
    const QRect where(twips(left) - twips(lineLeft), 0, twips(width), twips(RowHeight));
    if (widget->geometry() != where)
        widget->setGeometry(where);
}

void setBox(QLabel *label, const QString &text)
{
    teamstyle::setText(label, text);
    label->setVisible(!text.isEmpty());
}

} // namespace

TeamCardPanel::TeamCardPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("FraPlanning"));
    windowstyle::setPixelSize(this, 11);

    m_crest = teamstyle::label(this, QStringLiteral("Image13"), -1, QRect(8, 8, 64, 64));
    m_crest->setScaledContents(true);

    createLabels();
    createBars();

    m_teams = new QListWidget(this);
    m_teams->setObjectName(QStringLiteral("List9"));
    m_teams->setGeometry(4, 127, 116, 20 * 17 + 6);
    m_teams->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_teams->setTextElideMode(Qt::ElideRight);
    // A size smaller than the card's, so that every name of the season shows whole.
    windowstyle::setPixelSize(m_teams, 10);
    connect(m_teams, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit teamChosen(row);
    });
}

// The title, the headings of the four groups of fixtures and the totals.
void TeamCardPanel::createLabels()
{
    const QStringList captions = {
        QStringLiteral("Equipe..."),
        QStringLiteral("Matches Aller - Domicile"),
        QStringLiteral("Matches Retour - Domicile"),
        QStringLiteral("Matches Aller - Extérieur"),
        QStringLiteral("Matches Retour - Extérieur"),
        QStringLiteral("Cartons Rouges: "),
        QStringLiteral("Cartons Jaunes:"),
        QStringLiteral("Points:"),
        QStringLiteral("Classement:"),
        QStringLiteral("Buts marqués: "),
        QStringLiteral("Buts encaissés: "),
        QStringLiteral("% par match"),
        QStringLiteral("% par match"),
    };
    for (int i = 0; i < int(m_labels.size()); ++i) {
        m_labels[i] = teamstyle::label(this, QStringLiteral("Label29"), i, QRect());
        m_labels[i]->setText(captions[i]);
    }
    QLabel **labels = m_labels.data();
    labels[0]->setGeometry(80, 12, 330, 26);
    QFont title = labels[0]->font();
    title.setPixelSize(17);
    title.setBold(true);
    labels[0]->setFont(title);
    labels[1]->setGeometry(twipsRect(HomeLeft, 1200, BarWidth, HeaderHeight));
    labels[2]->setGeometry(twipsRect(HomeLeft, 4185, BarWidth, HeaderHeight));
    labels[3]->setGeometry(twipsRect(7830, 1200, BarWidth, HeaderHeight));
    labels[4]->setGeometry(twipsRect(7830, 4110, BarWidth, HeaderHeight));
    for (int i = 1; i <= 4; ++i)
        windowstyle::setBold(labels[i], true);

    // The totals stand in a column right of the away fixtures.
    constexpr int TotalsLeft = 822, TotalsWidth = 178;
    const std::array<std::pair<int, int>, 8> totals = {
        {{8, 127}, {7, 149}, {9, 181}, {11, 199}, {10, 225}, {12, 243}, {5, 275}, {6, 299}}};
    for (const auto &[index, top] : totals)
        labels[index]->setGeometry(TotalsLeft, top, TotalsWidth, 18);
    windowstyle::setBold(labels[8], true);
    windowstyle::setBold(labels[7], true);
    windowstyle::setFillColour(labels[5], RedCard);
    windowstyle::setFillColour(labels[6], YellowCard);
    for (int i : {9, 11})
        windowstyle::setTextColour(labels[i], Scored);
    for (int i : {10, 12})
        windowstyle::setTextColour(labels[i], Conceded);
}

// A bar of wins, draws and losses for each group of fixtures and the season.
void TeamCardPanel::createBars()
{
    const std::array<QRect, 5> frames = {
        twipsRect(HomeLeft, 1530, BarWidth, BarHeight), twipsRect(7830, 1530, BarWidth, BarHeight),
        twipsRect(HomeLeft, 4560, BarWidth, BarHeight), twipsRect(7830, 4470, BarWidth, BarHeight),
        twipsRect(6195, 525, SeasonBarWidth, BarHeight)};
    for (int g = 0; g < int(m_bars.size()); ++g) {
        Bars &bars = m_bars[g];
        bars.frame = new QFrame(this);
        bars.frame->setObjectName(QStringLiteral("Pic"));
        bars.frame->setProperty("index", g);
        bars.frame->setGeometry(frames[g]);
        bars.frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        windowstyle::setFillColour(bars.frame, Qt::white);
        bars.wins = box(bars.frame, "LabVic", g, Won);
        bars.draws = box(bars.frame, "LabNUL", g, Drawn);
        bars.losses = box(bars.frame, "LabDEF", g, Lost);
        for (QLabel *label : {bars.wins, bars.draws, bars.losses}) {
            label->setFrameStyle(QFrame::NoFrame);
            label->hide();
        }
    }
}

void TeamCardPanel::build(const QStringList &teams)
{
    m_teams->clear();
    m_teams->addItems(teams);
    m_rows.reserve(TeamCard::RowCount);
    for (int i = 0; i < TeamCard::RowCount; ++i)
        m_rows.push_back(createRow(i));
}

TeamCardPanel::Row TeamCardPanel::createRow(int index)
{
    const int shift = index >= TeamCard::ColumnRows ? AwayShift : 0;
    const int lineLeft = MarkerLeft + shift;
    Row row;
    row.line = new QWidget(this);
    row.line->setGeometry(twips(lineLeft), twips(rowTop(index)), twips(DateLeft + DateWidth + shift) - twips(lineLeft),
                          twips(RowHeight));
    row.line->hide();
    QWidget *line = row.line;
    row.marker = new QFrame(line);
    row.marker->setObjectName(QStringLiteral("ShaRes"));
    row.marker->setProperty("index", index);
    row.marker->setFrameStyle(QFrame::Box | QFrame::Plain);
    row.home = box(line, "T1P", index, Qt::white);
    row.home->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.homeGoals = box(line, "R1P", index, Qt::white);
    row.awayGoals = box(line, "R2P", index, Qt::white);
    row.away = box(line, "T2P", index, Qt::white);
    row.away->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row.date = teamstyle::label(line, QStringLiteral("InfoMP"), index, QRect());
    row.date->setAlignment(Qt::AlignCenter);
    // The card boxes lie over the name boxes.
    row.homeRed = box(line, "CR1P", index, RedCard);
    row.homeYellow = box(line, "CJ1P", index, YellowCard);
    row.awayYellow = box(line, "CJ2P", index, YellowCard);
    row.awayRed = box(line, "CR2P", index, RedCard);
    placeOnLine(row.marker, lineLeft, MarkerLeft + shift, MarkerWidth);
    placeOnLine(row.home, lineLeft, HomeLeft + shift, NameWidth);
    placeOnLine(row.homeGoals, lineLeft, HomeGoalsLeft + shift, GoalsWidth);
    placeOnLine(row.awayGoals, lineLeft, AwayGoalsLeft + shift, GoalsWidth);
    placeOnLine(row.away, lineLeft, AwayLeft + shift, NameWidth);
    placeOnLine(row.date, lineLeft, DateLeft + shift, DateWidth);
    placeOnLine(row.homeRed, lineLeft, HomeLeft + shift, CardWidth);
    placeOnLine(row.awayRed, lineLeft, AwayLeft + shift + NameWidth - CardWidth, CardWidth);
    row.key = teamstyle::label(this, QStringLiteral("NmP"), index, QRect());
    row.key->hide();
    place(row.key, KeyLeft + shift, rowTop(index), KeyWidth);
    return row;
}

void TeamCardPanel::selectTeam(int team)
{
    const QSignalBlocker quiet(m_teams);
    m_teams->setCurrentRow(team);
}

int TeamCardPanel::selectedTeam() const
{
    return m_teams->currentRow();
}

void TeamCardPanel::showRow(Row &row, int index, const CardRow *data)
{
    if (!data) {
        // A calendar with fewer fixtures: no row keeps another team's match.
        row.line->hide();
        return;
    }
    const int shift = index >= TeamCard::ColumnRows ? AwayShift : 0;
    const int lineLeft = MarkerLeft + shift;
    const int top = rowTop(index) + (data->secondHalf ? SecondHalfShift : 0);
    const QPoint at(twips(lineLeft), twips(top));
    if (row.line->pos() != at)
        row.line->move(at);

    teamstyle::setText(row.key, data->fixtureKey);
    teamstyle::setText(row.homeGoals, data->homeGoals);
    teamstyle::setText(row.awayGoals, data->awayGoals);
    teamstyle::setText(row.date, data->dateText);
    row.home->setProperty("letter", QString(data->homeLetter));
    row.away->setProperty("letter", QString(data->awayLetter));
    windowstyle::setBold(row.home, data->teamAtHome);
    windowstyle::setBold(row.away, !data->teamAtHome);
    windowstyle::setFillColour(row.home, data->homeFavourite ? Favourite : Qt::white);
    windowstyle::setFillColour(row.away, data->awayFavourite ? Favourite : Qt::white);

    // The yellow box stands beside the red one when there is one, at the
    // outer edge of the name box otherwise.
    const int homeLeft = HomeLeft + shift;
    const int awayRight = AwayLeft + shift + NameWidth - CardWidth;
    placeOnLine(row.homeYellow, lineLeft, data->homeRed.isEmpty() ? homeLeft : homeLeft + CardWidth - 15, CardWidth);
    placeOnLine(row.awayYellow, lineLeft, data->awayRed.isEmpty() ? awayRight : awayRight - CardWidth + 15, CardWidth);
    setBox(row.homeRed, data->homeRed);
    setBox(row.homeYellow, data->homeYellow);
    setBox(row.awayYellow, data->awayYellow);
    setBox(row.awayRed, data->awayRed);
    // A name keeps clear of the card boxes lying over the outer end of its
    // box; what does not fit then is elided, the whole name in the tool tip.
    // (The box's frame is its contents margin too.)
    const int frame = row.home->frameWidth();
    int homeCards = frame, awayCards = frame;
    for (QLabel *card : {row.homeRed, row.homeYellow}) {
        if (!card->isHidden())
            homeCards = std::max(homeCards, card->geometry().right() + 1 - row.home->x());
    }
    for (QLabel *card : {row.awayYellow, row.awayRed}) {
        if (!card->isHidden())
            awayCards = std::max(awayCards, row.away->geometry().right() + 1 - card->x());
    }
    const QMargins homeMargins(homeCards, frame, frame, frame), awayMargins(frame, frame, awayCards, frame);
    if (row.home->contentsMargins() != homeMargins)
        row.home->setContentsMargins(homeMargins);
    if (row.away->contentsMargins() != awayMargins)
        row.away->setContentsMargins(awayMargins);
    fittedtext::setText(row.home, data->homeName, NameShrink);
    fittedtext::setText(row.away, data->awayName, NameShrink);

    windowstyle::setFillColour(row.marker, markerColour(data->outcome));
    row.marker->setVisible(data->outcome != CardOutcome::NotPlayed);
    row.line->show();
}

void TeamCardPanel::showGroup(int group, const BarGroup &counts)
{
    Bars &bars = m_bars[group];
    if (counts.total == 0) {
        // A block without fixtures, or a season without a played match:
        // no bar rather than another team's.
        for (QLabel *label : {bars.wins, bars.draws, bars.losses})
            label->hide();
        return;
    }
    const int width = group == TeamCard::SeasonGroup ? SeasonBarWidth : BarWidth;
    const int winWidth = width * counts.wins / counts.total;
    const int drawWidth = width * counts.draws / counts.total;
    const int lossWidth = width * counts.losses / counts.total;
    const int drawLeft = winWidth - 15;
    const int lossLeft = drawLeft + drawWidth - 15;
    bars.wins->setGeometry(twipsRect(BarLabelLeft, BarLabelTop, winWidth, BarLabelHeight));
    bars.draws->setGeometry(twipsRect(drawLeft, BarLabelTop, drawWidth, BarLabelHeight));
    bars.losses->setGeometry(twipsRect(lossLeft, BarLabelTop, lossWidth, BarLabelHeight));
    // A narrow share of the bar shows what its caption can; the tool tip has it all.
    fittedtext::setText(bars.wins, counts.winCaption);
    fittedtext::setText(bars.draws, counts.drawCaption);
    fittedtext::setText(bars.losses, counts.lossCaption);
    bars.wins->setVisible(counts.wins > 0);
    bars.draws->setVisible(counts.draws > 0);
    bars.losses->setVisible(counts.losses > 0);
}

void TeamCardPanel::showCard(const TeamCard &card, const QPixmap &crest)
{
    m_crest->setPixmap(crest);
    teamstyle::setText(m_labels[0], card.name);
    teamstyle::setText(m_labels[8], card.rankText());

    for (int i = 0; i < int(m_rows.size()); ++i)
        showRow(m_rows[i], i, i < int(card.rows.size()) ? &card.rows[i] : nullptr);

    for (int g = 0; g <= TeamCard::SeasonGroup; ++g)
        showGroup(g, card.groups[g]);
    // The second-half headers and bars stand just above the first row of
    // their half in each column.
    const int homeSecondTop = rowTop(card.groups[0].total) + BarBelowRow;
    const int awaySecondTop = rowTop(card.groups[2].total) + BarBelowRow;
    const int awayLeft = m_bars[0].frame->x() + twips(AwayShift);
    if (card.groups[0].total > 0) {
        m_bars[2].frame->move(m_bars[2].frame->x(), twips(homeSecondTop));
        m_labels[2]->move(m_labels[2]->x(), twips(homeSecondTop - HeaderAboveBar));
    }
    if (card.groups[2].total > 0) {
        m_bars[3].frame->move(m_bars[3].frame->x(), twips(awaySecondTop));
        m_labels[4]->move(m_labels[4]->x(), twips(awaySecondTop - HeaderAboveBar));
    }
    m_bars[1].frame->move(awayLeft, m_bars[1].frame->y());
    m_bars[3].frame->move(awayLeft, m_bars[3].frame->y());
    m_labels[4]->move(awayLeft, m_labels[4]->y());
    m_labels[3]->move(awayLeft, m_labels[3]->y());

    teamstyle::setText(m_labels[5], card.redCardsText());
    teamstyle::setText(m_labels[6], card.yellowCardsText());
    teamstyle::setText(m_labels[7], card.pointsText());
    teamstyle::setText(m_labels[9], card.goalsForText());
    teamstyle::setText(m_labels[10], card.goalsAgainstText());
    teamstyle::setText(m_labels[11], card.averageForText());
    teamstyle::setText(m_labels[12], card.averageAgainstText());
}
