#include "shared/ui/fittedtext.h"

#include "shared/ui/windowstyle.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace fittedtext {

namespace {

// Dynamic properties the text and the font a widget was first given live in,
// so that a later call starts again from them.
constexpr char WholeText[] = "fittedWholeText";
constexpr char OwnSize[] = "fittedOwnSize";
constexpr char OwnToolTip[] = "fittedToolTip";
// Pixels the last of several lines may lose at its foot.
constexpr int LineSlack = 2;

QStringList linesOf(const QString &text)
{
    return QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
}

bool wraps(const QWidget *widget)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    return label && label->wordWrap();
}

QFont shrunk(QFont font, int steps)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(font.pixelSize() - steps);
    else
        font.setPointSizeF(font.pointSizeF() - steps);
    return font;
}

QString elided(const QWidget *widget, const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font, const_cast<QWidget *>(widget));
    const int width = room(widget).width();
    QStringList lines = linesOf(text);
    for (QString &line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines.join(QLatin1Char('\n'));
}

// The font a widget was first given, before any shrinking.
QFont ownFont(QWidget *widget)
{
    QFont font = widget->font();
    const QVariant own = widget->property(OwnSize);
    if (!own.isValid()) {
        widget->setProperty(OwnSize, font.pixelSize() > 0 ? QVariant(font.pixelSize()) : QVariant(font.pointSizeF()));
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(own.toInt());
    } else {
        font.setPointSizeF(own.toReal());
    }
    return font;
}

// Puts the font, the text as shown and the tool tip on the widget.
template <typename W>
void show(W *widget, const QString &text, int shrinkSteps)
{
    const QFont font = shrinkSteps > 0 ? fittingFont(widget, ownFont(widget), text, shrinkSteps) : widget->font();
    if (widget->font() != font)
        widget->setFont(font);
    widget->setProperty(WholeText, text);
    const bool whole = fits(widget, font, text);
    const QString shown = whole ? text : elided(widget, font, text);
    if (widget->text() != shown)
        widget->setText(shown);
    // The tool tip is ours only while the text is cut; a widget's own tip stays.
    const bool ours = widget->property(OwnToolTip).toBool();
    if (!whole) {
        windowstyle::setPlainToolTip(widget, text.trimmed());
        widget->setProperty(OwnToolTip, true);
    } else if (ours) {
        widget->setToolTip(QString());
        widget->setProperty(OwnToolTip, false);
    }
}

} // namespace

void setText(QLabel *label, const QString &text, int shrinkSteps)
{
    show(label, text, shrinkSteps);
}

void setText(QAbstractButton *button, const QString &text, int shrinkSteps)
{
    show(button, text, shrinkSteps);
}

QFont fittingFont(const QWidget *widget, const QFont &font, const QString &text, int shrinkSteps)
{
    int step = 0;
    while (step < shrinkSteps && !fits(widget, shrunk(font, step), text))
        ++step;
    return shrunk(font, step);
}

QString wholeText(const QWidget *widget)
{
    const QVariant whole = widget->property(WholeText);
    if (whole.isValid())
        return whole.toString();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return QString();
}

QRect room(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        const int margin = label->margin();
        QRect inside = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        int indent = label->indent();
        // A framed label without an indent of its own keeps half an "x" clear.
        if (indent < 0)
            indent = label->frameWidth() > 0 ? label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
        if (label->alignment() & Qt::AlignLeft)
            inside.setLeft(inside.left() + indent);
        if (label->alignment() & Qt::AlignRight)
            inside.setRight(inside.right() - indent);
        return inside;
    }
    if (const auto *check = qobject_cast<const QCheckBox *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(check);
        option.text = check->text();
        return check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    }
    if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        if (button->isFlat())
            option.features |= QStyleOptionButton::Flat;
        // The style draws the caption inside the contents, clear of the bevel.
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return widget->contentsRect();
}

bool fits(const QWidget *widget, const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font, const_cast<QWidget *>(widget));
    const QRect inside = room(widget);
    // A single line may lose the foot of its descenders; more lines must
    // all stand inside.
    if (wraps(widget)) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, inside.width(), 100000), Qt::TextWordWrap, text);
        return needed.width() <= inside.width()
               && (needed.height() <= metrics.height() || needed.height() <= inside.height() + LineSlack);
    }
    const QStringList lines = linesOf(text);
    for (const QString &line : lines) {
        if (metrics.horizontalAdvance(line) > inside.width())
            return false;
    }
    return lines.size() == 1
           || int(lines.size() - 1) * metrics.lineSpacing() + metrics.height() <= inside.height() + LineSlack;
}

} // namespace fittedtext
