// Every text of the window and of each panel, read as the screen shows it:
// a text fits its box, or is elided at its end with the whole text in a tool
// tip; nothing lies over it; and it stands out from its fill. The test
// program runs once at the screen's own scale and once at scale 2.
#include "contrast.h"
#include "windowfixture.h"

#include "matchday/ui/gridbox.h"
#include "shared/ui/fittedtext.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEnterEvent>
#include <QHash>
#include <QStyle>

namespace {

const QChar Ellipsis(0x2026);

// Widgets whose text and fill colours are both fixed by the league's own
// colour rules (months, graph bars, the match-day picker): they are read
// as they are, whatever their contrast.
const QStringList FixedColours = {QStringLiteral("LabMois"), QStringLiteral("LabGraph"), QStringLiteral("Label10")};

QString nameOf(const QWidget *w)
{
    const QVariant index = w->property("index");
    return w->objectName() + (index.isValid() ? QStringLiteral("(%1)").arg(index.toInt()) : QString());
}

// The text a label, button or check box shows (empty for none).
QString shownText(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->textFormat() == Qt::RichText ? QString() : label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    return QString();
}

class ReadableWindow : public WindowFixture
{
protected:
    void TearDown() override
    {
        if (window)
            QTest::mouseMove(window.get(), QPoint(1, 1));
        WindowFixture::TearDown();
    }

    // Writes the window's picture when KESTRANE_SHOTS names a folder.
    void shot(const QString &name) const
    {
        const QString folderName = qEnvironmentVariable("KESTRANE_SHOTS");
        if (!folderName.isEmpty())
            m_shot.save(QStringLiteral("%1/%2-x%3.png").arg(folderName, name).arg(window->devicePixelRatio()));
    }

    QRect inWindow(const QWidget *w) const { return QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()); }

    // Whether the window shows `w` at a point of the window.
    bool showsAt(const QWidget *w, const QPoint &at) const
    {
        const QWidget *top = window->childAt(at);
        return top && (top == w || w->isAncestorOf(top));
    }

    // Whether any of the widget is on show: not hidden, not parked out of
    // the window, not under a panel.
    bool onShow(const QWidget *w) const
    {
        if (!w->isVisible())
            return false;
        const QRect area = inWindow(w) & window->rect();
        for (int y = area.top(); y <= area.bottom(); y += 3) {
            for (int x = area.left(); x <= area.right(); x += 3) {
                if (showsAt(w, QPoint(x, y)))
                    return true;
            }
        }
        return false;
    }

    // The part of the window a widget belongs to: a panel, the table, a
    // command of the side column...
    const QWidget *partOf(const QWidget *w) const
    {
        while (w && w->parentWidget() != window.get())
            w = w->parentWidget();
        return w;
    }

    // The widget of the same part of the window that lies over part of the
    // text of `w`, if any; a panel lying over another part is no fault.
    const QWidget *coverOf(const QWidget *w, const QString &text) const
    {
        const QFontMetrics metrics(w->font(), const_cast<QWidget *>(w));
        const QStringList lines = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
        int width = 0;
        for (const QString &line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        const QRect room = fittedtext::room(w);
        Qt::Alignment align = Qt::AlignCenter;
        if (const auto *label = qobject_cast<const QLabel *>(w))
            align = label->alignment();
        else if (qobject_cast<const QCheckBox *>(w))
            align = Qt::AlignLeft | Qt::AlignVCenter;
        // The block of lines as the widget aligns it, then each line across.
        const int lineCount = int(lines.size());
        const QSize block(std::min(width, room.width()),
                          std::min((lineCount - 1) * metrics.lineSpacing() + metrics.height(), room.height()));
        const QRect blockArea = QStyle::alignedRect(Qt::LeftToRight, align, block, room);
        for (int i = 0; i < lineCount; ++i) {
            if (lines[i].isEmpty())
                continue;
            const QSize size(std::min(metrics.horizontalAdvance(lines[i]), room.width()), metrics.ascent());
            const QRect lineRoom(blockArea.left(), blockArea.top() + i * metrics.lineSpacing(), blockArea.width(),
                                 metrics.height());
            const Qt::Alignment across = (align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
            const QRect textArea = QStyle::alignedRect(Qt::LeftToRight, across, size, lineRoom)
                                       .translated(inWindow(w).topLeft())
                                       .adjusted(1, 1, -1, -1);
            for (int y = textArea.top(); y <= textArea.bottom(); y += 2) {
                for (int x = textArea.left(); x <= textArea.right(); x += 2) {
                    const QWidget *top = window->childAt(QPoint(x, y));
                    if (!showsAt(w, QPoint(x, y)) && partOf(top) == partOf(w))
                        return top;
                }
            }
        }
        return nullptr;
    }

    // The fill behind a widget's text, from the window's picture: the most
    // common shade of its pixels on show, the text's own pixels aside (a
    // style's gradient spreads a fill over close shades). A text of the
    // colour of all its pixels has its own colour as fill. Invalid for a
    // widget mostly under a panel, which is read in another view.
    QColor fillOf(const QWidget *w, const QColor &text) const
    {
        const auto near = [](QRgb a, const QColor &b) {
            return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) + std::abs(qBlue(a) - b.blue()) < 96;
        };
        const qreal ratio = m_shot.devicePixelRatio();
        const QRect area = inWindow(w) & window->rect();
        QHash<int, QList<QRgb>> shades;
        int shown = 0, other = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (!showsAt(w, QPoint(x, y)))
                    continue;
                ++shown;
                const QRgb pixel = m_shot.pixel(int(x * ratio), int(y * ratio));
                if (near(pixel, text))
                    continue;
                ++other;
                shades[(qRed(pixel) >> 5) << 6 | (qGreen(pixel) >> 5) << 3 | qBlue(pixel) >> 5].append(pixel);
            }
        }
        if (2 * shown < area.width() * area.height())
            return QColor();
        if (3 * other < shown)
            return text;
        const QList<QRgb> *most = nullptr;
        for (const QList<QRgb> &pixels : shades) {
            if (!most || pixels.size() > most->size())
                most = &pixels;
        }
        long red = 0, green = 0, blue = 0;
        for (QRgb pixel : *most) {
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
        const auto n = long(most->size());
        return QColor(int(red / n), int(green / n), int(blue / n));
    }

    // What is wrong with the text of `w` as the window shows it.
    QStringList problemsOf(const QString &view, QWidget *w)
    {
        const QString text = shownText(w);
        if (text.isEmpty() || !onShow(w))
            return {};
        QStringList found;
        const QString where = view + QStringLiteral(": ") + nameOf(w) + QStringLiteral(" \"")
                              + QString(text).replace(QLatin1Char('\n'), QStringLiteral("\\n")) + QStringLiteral("\" ");
        if (!fittedtext::fits(w, w->font(), text))
            found << where + QStringLiteral("does not fit its box");
        const QString whole = fittedtext::wholeText(w);
        if (whole != text && (!text.contains(Ellipsis) || w->toolTip() != whole.trimmed()))
            found << where + QStringLiteral("is cut without its whole text in a tool tip");
        if (const QWidget *cover = coverOf(w, text))
            found << where + QStringLiteral("lies under ") + nameOf(cover);
        if (w->isEnabled() && !FixedColours.contains(w->objectName())) {
            const QColor colour = w->palette().color(w->foregroundRole());
            const QColor fill = fillOf(w, colour);
            const double ratio = fill.isValid() ? contrastRatio(colour, fill) : 21;
            if (ratio < 4.5)
                found
                    << where
                           + QStringLiteral("is %1 on %2, %3:1").arg(colour.name(), fill.name()).arg(ratio, 0, 'f', 1);
        }
        return found;
    }

    // A name of the match grid, which elides as it paints.
    QStringList problemsOf(const QString &view, GridBox *box)
    {
        if (!box->isReadOnly() || box->text().isEmpty() || !onShow(box))
            return {};
        const QString shown = box->shownText();
        if (shown != box->text() && (!shown.endsWith(Ellipsis) || box->toolTip() != box->text()))
            return {view + QStringLiteral(": ") + nameOf(box) + QStringLiteral(" \"") + box->text()
                    + QStringLiteral("\" is cut without its whole text in a tool tip")};
        return {};
    }

    void check(const QString &view)
    {
        QCoreApplication::processEvents();
        m_shot = window->grab().toImage();
        shot(view);
        QStringList found;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (auto *box = qobject_cast<GridBox *>(w))
                found += problemsOf(view, box);
            else
                found += problemsOf(view, w);
        }
        for (const QString &problem : found)
            ADD_FAILURE() << problem.toStdString();
    }

    void hover(QWidget *w)
    {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(w, &enter);
    }

    QImage m_shot;
};

TEST_F(ReadableWindow, EveryTextFitsItsBoxUncoveredAndStandsOutFromItsFill)
{
    start();
    window->show();
    check(QStringLiteral("fenetre"));

    click(Command::Configuration);
    check(QStringLiteral("FraCon"));
    click(Command::Donors);
    check(QStringLiteral("FraDon"));
    click(Command::About);
    check(QStringLiteral("FraAP"));
    click(Command::OpenTeamCard);
    check(QStringLiteral("FraPlanning"));
    click(Command::CloseTeamCard);
    click(Command::Highlights);
    check(QStringLiteral("FraPlus"));
    click(Command::OpenGraph);
    check(QStringLiteral("Frame4"));
    click(Command::CloseGraph);
    window->runCommand(Command::OpenSending);
    check(QStringLiteral("Frame6"));
    click(Command::CloseSending);
    click(Command::Classifications);
    check(QStringLiteral("Frame8"));
    click(Command::PickMatchDay);
    check(QStringLiteral("Label10"));
    click(Command::ReachableRanks);
    check(QStringLiteral("Calcul"));
    QTest::mouseClick(widget(QStringLiteral("Label19")), Qt::LeftButton);
    check(QStringLiteral("Text4"));

    // A team's whole season in the grid.
    click(Command::GeneralStandings);
    QTest::mouseClick(widget(QStringLiteral("Tclass"), 9), Qt::LeftButton);
    check(QStringLiteral("saison"));

    // The update button resting in grey for a minute after an update.
    session->state().setLastUpdate(clock.now().addSecs(-30));
    hover(button(Command::GeneralStandings));
    check(QStringLiteral("repos"));
}

} // namespace
