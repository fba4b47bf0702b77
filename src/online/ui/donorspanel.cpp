#include "online/ui/donorspanel.h"

#include "shared/ui/windowstyle.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {
constexpr int PanelWidth = 296;
constexpr int PanelHeight = 300;
constexpr int Margin = 8;
const QColor PartnerColour = windowstyle::colour(palette::window::Partner);
const QColor DonorColour = windowstyle::colour(palette::window::Donor);

// The two links are drawn rather than loaded, so the panel needs no picture
// file: a coloured badge with its symbol and caption.
QPixmap badge(const QSize &size, const QColor &colour, const QString &caption, bool heart)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(140), 2));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(pixmap.rect()).adjusted(1, 1, -1, -1), 8, 8);

    const QRectF symbol(8, (size.height() - 28) / 2.0, 28, 28);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    QPainterPath path;
    if (heart) {
        const QPointF bottom(symbol.center().x(), symbol.bottom() - 2);
        path.moveTo(bottom);
        path.cubicTo(symbol.left() - 6, symbol.center().y(), symbol.left() + 4, symbol.top() - 4, symbol.center().x(),
                     symbol.top() + 8);
        path.cubicTo(symbol.right() - 4, symbol.top() - 4, symbol.right() + 6, symbol.center().y(), bottom.x(),
                     bottom.y());
    } else {
        // A downward arrow over a tray.
        const qreal cx = symbol.center().x();
        path.addRect(cx - 4, symbol.top(), 8, 12);
        path.moveTo(cx - 11, symbol.top() + 12);
        path.lineTo(cx + 11, symbol.top() + 12);
        path.lineTo(cx, symbol.top() + 23);
        path.closeSubpath();
        path.addRect(symbol.left(), symbol.bottom() - 3, symbol.width(), 3);
    }
    painter.drawPath(path);

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(44, 0, size.width() - 50, size.height()), Qt::AlignVCenter | Qt::TextWordWrap, caption);
    return pixmap;
}

QLabel *link(QWidget *parent, const char *name, const QPixmap &picture, const QString &tip)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(picture);
    label->setFixedSize(picture.size());
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(tip);
    return label;
}
} // namespace

DonorsPanel::DonorsPanel(QWidget *parent)
    : QFrame(parent)
    , m_title(new QLabel(QStringLiteral("Merci à nos partenaires et donateurs"), this))
    , m_name(new QLabel(QStringLiteral("Donateurs"), this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("FraDon"));
    resize(PanelWidth, PanelHeight);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(2);
    windowstyle::setColours(this, Qt::black, windowstyle::PanelBackground);
    // Pointer moves over the panel restart the ticker, those over the name stop it.
    setMouseTracking(true);

    m_title->setObjectName(QStringLiteral("Label17"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(13);
    m_title->setFont(titleFont);
    m_title->setGeometry(Margin, Margin, PanelWidth - 2 * Margin, 36);

    m_name->setObjectName(QStringLiteral("Label18"));
    m_name->setTextFormat(Qt::PlainText);
    m_name->setAlignment(Qt::AlignCenter);
    m_name->setWordWrap(true);
    QFont nameFont = m_name->font();
    nameFont.setBold(true);
    nameFont.setPixelSize(18);
    m_name->setFont(nameFont);
    m_name->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_name->setGeometry(Margin, 52, PanelWidth - 2 * Margin, 84);
    m_name->setMouseTracking(true);
    m_name->installEventFilter(this);
    windowstyle::setTextColour(m_name, DonorColour);

    const QSize linkSize(PanelWidth - 2 * Margin, 50);
    const QString donate = QStringLiteral("Soutenir Kestrane 1 : faire un don");
    m_donation = link(this, "Image18", badge(linkSize, windowstyle::colour(palette::window::DonateBadge), donate, true),
                      QStringLiteral("Page des dons"));
    m_donation->move(Margin, 146);
    m_donation->installEventFilter(this);
    const QString portal = QStringLiteral("Portail de téléchargement partenaire");
    m_portal = link(this, "Image10", badge(linkSize, windowstyle::colour(palette::window::PortalBadge), portal, false),
                    QStringLiteral("Portail de téléchargement"));
    m_portal->move(Margin, 204);
    m_portal->installEventFilter(this);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(TickMs);
    connect(m_timer, &QTimer::timeout, this, &DonorsPanel::advance);
}

void DonorsPanel::setNames(const QStringList &names)
{
    m_ticker.setNames(names);
    // A list emptied since the last tick leaves no one's name behind.
    if (names.isEmpty())
        m_name->clear();
}

void DonorsPanel::startTicker()
{
    // Already running, it keeps its beat: moving the pointer about must not
    // hold the next name back.
    if (!m_timer->isActive())
        m_timer->start();
}

void DonorsPanel::stopTicker()
{
    m_timer->stop();
}

void DonorsPanel::advance()
{
    const std::optional<DonorsTicker::Entry> entry = m_ticker.next();
    if (!entry) {
        m_name->clear();
        return;
    }
    windowstyle::setTextColour(m_name, entry->marked ? PartnerColour : DonorColour);
    m_name->setText(entry->name);
}

QRect DonorsPanel::closeButtonArea() const
{
    return QRect(PanelWidth - Margin - 96, PanelHeight - Margin - 24, 96, 22);
}

bool DonorsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_name && event->type() == QEvent::MouseMove) {
        emit pointerOverName();
        return true; // the panel behind must not restart the ticker
    }
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_donation)
            emit donationClicked();
        else if (watched == m_portal)
            emit portalClicked();
    }
    return QFrame::eventFilter(watched, event);
}

void DonorsPanel::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerOverPanel();
    // The window behind also hears it: the buttons calm down over the panel.
    QFrame::mouseMoveEvent(event);
}
