#include "matchday/ui/matchgrid.h"

#include "matchday/ui/gridbox.h"
#include "matchday/ui/infocell.h"
#include "shared/ui/twips.h"
#include "shared/ui/windowstyle.h"

#include <QLabel>
#include <QValidator>

#include <algorithm>
#include <utility>

namespace {

// A "|" would split the stored record and shift every later field. A plain
// test, not a regular expression: every stored value shown runs through it.
class StorableText final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return input.contains(QLatin1Char('|')) ? Invalid : Acceptable;
    }
};

constexpr int RowPitch = 220; // twips between two rows
constexpr int RowHeight = 210;
constexpr int ScoreMaxLength = 3;

// Left edge and width of each box within a row, in twips; the card slots sit
// at the ends of the row, outside the names and scores.
struct Slot
{
    const char *name;
    int left;
    int width;
};
constexpr Slot CardHomeRed{"CR1", entry::HomeRedSlot, 150};
constexpr Slot CardHomeYellow{"CJ1", entry::HomeYellowSlot, 150};
constexpr Slot HomeTeam{"T1", 345, 1080};
constexpr Slot HomeGoals{"R1", 1440, 255};
constexpr Slot AwayGoals{"R2", 1710, 255};
constexpr Slot AwayTeam{"T2", 1980, 1110};
constexpr Slot CardAwayYellow{"CJ2", entry::AwayYellowSlot, 150};
constexpr Slot CardAwayRed{"CR2", entry::AwayRedSlot, 150};
constexpr Slot Info{"InfoM", 3435, 1005};

// What screen readers say of each box: the fixture first, so that the
// boxes of one row are told from those of the next, then the box.
namespace spoken {
const QString Fixture = QStringLiteral("%1 - %2");
const QString HomeTeam = QStringLiteral("%1, équipe à domicile");
const QString AwayTeam = QStringLiteral("%1, équipe à l'extérieur");
const QString Goals = QStringLiteral("%1, buts de %2 (%3)");
const QString Yellow = QStringLiteral("%1, cartons jaunes de %2 (%3)");
const QString Red = QStringLiteral("%1, cartons rouges de %2 (%3)");
const QString Home = QStringLiteral("domicile");
const QString Away = QStringLiteral("extérieur");
const QString Info = QStringLiteral("Information du match %1 - %2");
} // namespace spoken

const QColor CardRed = windowstyle::colour(palette::entry::RedCards);
const QColor CardYellow = windowstyle::colour(palette::entry::YellowCards);

void moveLeft(QWidget *w, int leftTwips)
{
    w->move(twips(leftTwips), w->y());
}
} // namespace

MatchGrid::MatchGrid(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MatchGrid"));
    m_storable = new StorableText(this);
    // Two long team names and "Retour le: 15 02 14" share one narrow row:
    // a small, narrowed face keeps them readable side by side.
    QFont small = font();
    small.setPointSize(7);
    small.setStretch(QFont::Condensed);
    setFont(small);
    for (int k = 0; k < RowCount; ++k) {
        m_rows[k] = makeRow(k);
        connectRow(k);
    }
    setFixedSize(twips(Info.left + Info.width), twips(RowPitch * RowCount));
}

MatchGrid::Row MatchGrid::makeRow(int k)
{
    const int top = twips(RowPitch * k);
    auto place = [&](QWidget *w, const Slot &slot) {
        w->setObjectName(QString::fromLatin1(slot.name));
        w->setProperty("index", k);
        w->setGeometry(twips(slot.left), top, twips(slot.width), twips(RowHeight));
        w->hide();
    };
    auto box = [&](const Slot &slot, bool editable) {
        auto *edit = new GridBox(this);
        edit->setFrame(false);
        edit->setReadOnly(!editable);
        edit->setAlignment(editable ? Qt::AlignCenter : Qt::AlignLeft);
        edit->setTextMargins(0, 0, 0, 0);
        if (editable) {
            windowstyle::setFillColour(edit, Qt::white);
            edit->setValidator(m_storable);
        } else {
            edit->setFocusPolicy(Qt::NoFocus);
            edit->setCursor(Qt::ArrowCursor);
        }
        place(edit, slot);
        return edit;
    };

    Row row;
    row.cr1 = box(CardHomeRed, true);
    row.cj1 = box(CardHomeYellow, true);
    row.t1 = box(HomeTeam, false);
    row.r1 = box(HomeGoals, true);
    row.r2 = box(AwayGoals, true);
    row.t2 = box(AwayTeam, false);
    row.cj2 = box(CardAwayYellow, true);
    row.cr2 = box(CardAwayRed, true);
    row.r1->setMaxLength(ScoreMaxLength);
    row.r2->setMaxLength(ScoreMaxLength);
    for (GridBox *card : {row.cr1, row.cr2})
        windowstyle::setFillColour(card, CardRed);
    for (GridBox *card : {row.cj1, row.cj2})
        windowstyle::setFillColour(card, CardYellow);
    row.infoM = new InfoCell(this);
    row.infoM->setTextFormat(Qt::PlainText);
    place(row.infoM, Info);
    row.nm = new QLineEdit(this);
    row.nm->setObjectName(QStringLiteral("Nm"));
    row.nm->setProperty("index", k);
    row.nm->hide();
    return row;
}

void MatchGrid::connectRow(int k)
{
    const Row &row = m_rows[k];
    connect(row.r1, &QLineEdit::textEdited, this, [this, k] { scoreEdited(k); });
    connect(row.r2, &QLineEdit::textEdited, this, [this, k] { scoreEdited(k); });
    for (GridBox *score : {row.r1, row.r2}) {
        connect(score, &GridBox::pressed, this, [this, k, score] {
            openCards(k);
            // Typing then replaces a two-digit score.
            score->setSelection(0, 2);
        });
    }
    for (GridBox *card : {row.cr1, row.cj1, row.cj2, row.cr2}) {
        connect(card, &QLineEdit::textEdited, this, [this, card] { cardEdited(card); });
        connect(card, &GridBox::focusEntered, this, [this, k] { openCards(k); });
    }
    for (GridBox *box : {row.cr1, row.cj1, row.r1, row.r2, row.cj2, row.cr2})
        connect(box, &QLineEdit::returnPressed, this, &MatchGrid::enterPressed);
    connect(row.t1, &GridBox::entered, this, [this, k] { emit teamHovered(m_rows[k].t1->text(), true); });
    connect(row.r1, &GridBox::entered, this, [this, k] { emit teamHovered(m_rows[k].t1->text(), false); });
    connect(row.t2, &GridBox::entered, this, [this, k] { emit teamHovered(m_rows[k].t2->text(), true); });
    connect(row.r2, &GridBox::entered, this, [this, k] { emit teamHovered(m_rows[k].t2->text(), false); });
}

void MatchGrid::showRows(const QList<GridRow> &rows)
{
    m_shown = int(qMin<qsizetype>(rows.size(), RowCount));
    // The names take the looks of the new view: no second team is marked.
    m_secondTeamNames.clear();
    for (int k = 0; k < RowCount; ++k) {
        Row &row = m_rows[k];
        if (k >= m_shown) {
            for (QLineEdit *box : std::initializer_list<QLineEdit *>{row.t1, row.r1, row.r2, row.t2, row.cr1, row.cj1,
                                                                     row.cj2, row.cr2, row.nm}) {
                box->clear();
                box->hide();
            }
            row.infoM->setInfo(QString(), QString());
            row.infoM->hide();
            row.homeLetter = row.awayLetter = QChar();
            continue;
        }
        const GridRow &shown = rows[k];
        row.homeLetter = shown.homeLetter;
        row.awayLetter = shown.awayLetter;
        row.nm->setText(shown.fixtureKey);
        row.t1->setText(shown.homeName);
        row.t2->setText(shown.awayName);
        windowstyle::setPlainToolTip(row.t1, shown.homeName);
        windowstyle::setPlainToolTip(row.t2, shown.awayName);
        row.t1->setCursorPosition(0);
        row.t2->setCursorPosition(0);
        windowstyle::setFillColour(row.t1, windowstyle::colour(shown.homeBack));
        windowstyle::setFillColour(row.t2, windowstyle::colour(shown.awayBack));
        applyLook(row.t1, shown.homeLook);
        applyLook(row.t2, shown.awayLook);
        row.r1->setText(shown.homeGoals);
        row.r2->setText(shown.awayGoals);
        row.cr1->setText(shown.cards.homeRed);
        row.cj1->setText(shown.cards.homeYellow);
        row.cj2->setText(shown.cards.awayYellow);
        row.cr2->setText(shown.cards.awayRed);
        applyCardLayout(k, shown.cardLayout);
        row.infoM->setInfo(shown.info, m_notes.value(shown.fixtureKey));
        nameBoxes(k, shown.homeName, shown.awayName);
        windowstyle::setTextColour(row.infoM, windowstyle::colour(shown.infoColour));
        windowstyle::setBold(row.infoM, shown.infoBold);
        for (QWidget *w : std::initializer_list<QWidget *>{row.t1, row.r1, row.r2, row.t2, row.infoM})
            w->show();
    }
    m_drawn.clear();
    for (const auto &[key, record] : typedRows())
        m_drawn.insert(key, record);
}

int MatchGrid::shownBottom() const
{
    return twips(RowPitch * m_shown);
}

QList<std::pair<QString, MatchRecord>> MatchGrid::editedRows() const
{
    QList<std::pair<QString, MatchRecord>> edited;
    for (const auto &[key, record] : typedRows()) {
        const auto drawn = m_drawn.constFind(key);
        if (drawn == m_drawn.cend() || drawn->fields != record.fields)
            edited.append({key, record});
    }
    return edited;
}

QList<std::pair<QString, MatchRecord>> MatchGrid::typedRows() const
{
    QList<std::pair<QString, MatchRecord>> typed;
    for (int k = 0; k < m_shown; ++k) {
        const Row &row = m_rows[k];
        const entry::CardTexts cards{row.cr1->text(), row.cj1->text(), row.cj2->text(), row.cr2->text()};
        typed.append(
            {row.nm->text(), entry::recordOf(row.homeLetter, cards, row.r1->text(), row.r2->text(), row.awayLetter)});
    }
    return typed;
}

void MatchGrid::layCardsAtRest(const QStringList &unsaved)
{
    for (int k = 0; k < m_shown; ++k) {
        const Row &row = m_rows[k];
        if (unsaved.contains(row.nm->text()))
            continue;
        const entry::CardTexts cards{row.cr1->text(), row.cj1->text(), row.cj2->text(), row.cr2->text()};
        applyCardLayout(k, entry::restingCards(cards, true));
        const entry::CardTexts resting{row.cr1->text(), row.cj1->text(), row.cj2->text(), row.cr2->text()};
        m_drawn.insert(row.nm->text(),
                       entry::recordOf(row.homeLetter, resting, row.r1->text(), row.r2->text(), row.awayLetter));
    }
}

void MatchGrid::markSecondTeam(const QString &team)
{
    for (GridBox *name : std::exchange(m_secondTeamNames, {}))
        windowstyle::setFillColour(name, windowstyle::colour(entry::colour::White));
    for (int k = 0; k < m_shown; ++k) {
        for (GridBox *name : {m_rows[k].t1, m_rows[k].t2}) {
            if (name->text() == team) {
                windowstyle::setFillColour(name, windowstyle::colour(entry::colour::SecondTeam));
                m_secondTeamNames.append(name);
            }
        }
    }
}

void MatchGrid::setFixtureNotes(const QHash<QString, QString> &notes)
{
    m_notes = notes;
    for (int k = 0; k < m_shown; ++k) {
        InfoCell *info = m_rows[k].infoM;
        info->setInfo(info->text(), m_notes.value(m_rows[k].nm->text()));
    }
}

void MatchGrid::nameBoxes(int k, const QString &home, const QString &away)
{
    const Row &row = m_rows[k];
    // Names go in with the words in one step: a "%" in a name stays as it is.
    const QString fixture = spoken::Fixture.arg(home, away);
    row.t1->setAccessibleName(spoken::HomeTeam.arg(fixture));
    row.t2->setAccessibleName(spoken::AwayTeam.arg(fixture));
    row.r1->setAccessibleName(spoken::Goals.arg(fixture, home, spoken::Home));
    row.r2->setAccessibleName(spoken::Goals.arg(fixture, away, spoken::Away));
    row.cj1->setAccessibleName(spoken::Yellow.arg(fixture, home, spoken::Home));
    row.cr1->setAccessibleName(spoken::Red.arg(fixture, home, spoken::Home));
    row.cj2->setAccessibleName(spoken::Yellow.arg(fixture, away, spoken::Away));
    row.cr2->setAccessibleName(spoken::Red.arg(fixture, away, spoken::Away));
    row.infoM->setAccessibleName(spoken::Info.arg(home, away));
}

void MatchGrid::scoreEdited(int k)
{
    const Row &row = m_rows[k];
    // The card boxes go back to their own slots, as shown or hidden as they were.
    moveLeft(row.cr1, entry::HomeRedSlot);
    moveLeft(row.cj1, entry::HomeYellowSlot);
    moveLeft(row.cj2, entry::AwayYellowSlot);
    moveLeft(row.cr2, entry::AwayRedSlot);
    const entry::ScoreLook look = entry::scoreLook(row.r1->text(), row.r2->text());
    applyLook(row.t1, look.home);
    applyLook(row.t2, look.away);
    fitNames(k);
    emit edited();
}

void MatchGrid::cardEdited(GridBox *box)
{
    const QString cut = entry::cutCardCount(box->text());
    if (cut != box->text())
        box->setText(cut);
    emit edited();
}

void MatchGrid::openCards(int k)
{
    applyCardLayout(k, entry::openCards());
}

void MatchGrid::applyCardLayout(int k, const entry::CardLayout &layout)
{
    const Row &row = m_rows[k];
    moveLeft(row.cr1, entry::HomeRedSlot);
    moveLeft(row.cj1, layout.homeYellowLeft);
    moveLeft(row.cj2, layout.awayYellowLeft);
    moveLeft(row.cr2, entry::AwayRedSlot);
    row.cr1->setVisible(layout.homeRedShown);
    row.cj1->setVisible(layout.homeYellowShown);
    row.cj2->setVisible(layout.awayYellowShown);
    row.cr2->setVisible(layout.awayRedShown);
    fitNames(k);
}

void MatchGrid::fitNames(int k)
{
    const Row &row = m_rows[k];
    // A name too long for its box takes the card slots at its outer end that
    // show no box, before it is elided; the others keep the column's edge.
    const auto needs = [](const GridBox *name, int width) {
        return name->fontMetrics().horizontalAdvance(name->text()) > width - (name->width() - name->textRoom().width());
    };
    const int homeEnd = twips(HomeTeam.left + HomeTeam.width);
    int homeLeft = twips(HomeTeam.left);
    if (needs(row.t1, twips(HomeTeam.width))) {
        homeLeft = twips(CardHomeRed.left);
        for (const GridBox *card : {row.cr1, row.cj1}) {
            if (!card->isHidden())
                homeLeft = std::max(homeLeft, card->geometry().right() + 1
                                                  + twips(HomeTeam.left - CardHomeYellow.left - CardHomeYellow.width));
        }
    }
    const int awayLeft = twips(AwayTeam.left);
    int awayRight = twips(AwayTeam.left + AwayTeam.width);
    if (needs(row.t2, twips(AwayTeam.width))) {
        awayRight = twips(CardAwayRed.left + CardAwayRed.width);
        for (const GridBox *card : {row.cj2, row.cr2}) {
            if (!card->isHidden())
                awayRight =
                    std::min(awayRight, card->x() - twips(CardAwayYellow.left - AwayTeam.left - AwayTeam.width));
        }
    }
    const int top = row.t1->y();
    const QRect home(homeLeft, top, homeEnd - homeLeft, row.t1->height());
    const QRect away(awayLeft, top, awayRight - awayLeft, row.t2->height());
    if (row.t1->geometry() != home)
        row.t1->setGeometry(home);
    if (row.t2->geometry() != away)
        row.t2->setGeometry(away);
}

void MatchGrid::applyLook(GridBox *name, const entry::NameLook &look)
{
    windowstyle::setTextColour(name, windowstyle::colour(look.colour));
    windowstyle::setBold(name, look.bold);
}

QList<GridBox *> MatchGrid::tabOrder(int k) const
{
    const Row &row = m_rows[k];
    // Reading order once the card boxes are open at their own slots.
    return {row.cr1, row.cj1, row.r1, row.r2, row.cj2, row.cr2};
}

bool MatchGrid::focusNextPrevChild(bool next)
{
    QList<GridBox *> order;
    for (int k = 0; k < m_shown; ++k)
        order += tabOrder(k);
    const auto at = order.indexOf(qobject_cast<GridBox *>(focusWidget()));
    if (at < 0 || order.isEmpty())
        return QWidget::focusNextPrevChild(next);
    // Past either end the focus leaves the grid for the rest of the window,
    // so that the keyboard never stays caught in the boxes.
    const qsizetype target = next ? at + 1 : at - 1;
    if (target < 0 || target >= order.size())
        return QWidget::focusNextPrevChild(next);
    GridBox *box = order[target];
    // A card box is hidden until its row opens; opening it is what the
    // focus coming in does anyway.
    if (box->isHidden())
        openCards(box->property("index").toInt());
    box->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
