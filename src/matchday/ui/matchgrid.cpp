#include "matchday/ui/matchgrid.h"

#include "season/core/twips.h"

#include <QLabel>
#include <QLineEdit>

namespace {
constexpr int RowPitch = 220; // twips between two rows
constexpr int RowHeight = 210;

// Left edge and width of each box within a row, in twips; the card slots sit
// at the ends of the row, outside the names and scores.
struct Slot
{
    const char *name;
    int left;
    int width;
};
constexpr Slot CardHomeRed{"CR1", 15, 150};
constexpr Slot CardHomeYellow{"CJ1", 180, 150};
constexpr Slot HomeTeam{"T1", 345, 1140};
constexpr Slot HomeGoals{"R1", 1500, 270};
constexpr Slot AwayGoals{"R2", 1785, 270};
constexpr Slot AwayTeam{"T2", 2070, 1020};
constexpr Slot CardAwayYellow{"CJ2", 3105, 150};
constexpr Slot CardAwayRed{"CR2", 3270, 150};
constexpr Slot Info{"InfoM", 3435, 1000};
} // namespace

MatchGrid::MatchGrid(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MatchGrid"));
    for (int k = 0; k < RowCount; ++k)
        m_rows[k] = makeRow(k);
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
        auto *edit = new QLineEdit(this);
        edit->setFrame(false);
        edit->setReadOnly(!editable);
        edit->setAlignment(editable ? Qt::AlignCenter : Qt::AlignLeft);
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
    row.infoM = new QLabel(this);
    row.infoM->setTextFormat(Qt::PlainText);
    place(row.infoM, Info);
    row.nm = new QLineEdit(this);
    row.nm->setObjectName(QStringLiteral("Nm"));
    row.nm->setProperty("index", k);
    row.nm->hide();
    return row;
}
