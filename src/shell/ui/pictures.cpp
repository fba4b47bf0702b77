#include "shell/ui/pictures.h"

#include "season/core/safefile.h"
#include "shared/ui/windowstyle.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

#include <cmath>

namespace {

// A stable hash of the name, so a team keeps its colours from run to run.
quint32 nameHash(const QString &name)
{
    quint32 h = 2166136261u;
    for (QChar c : name) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

// First letters of the name's words ("FC Valmoret" gives FV, "AS Saint-Aubrac"
// ASA), or the first two letters of a one-word name.
QString initials(const QString &name)
{
    const QStringList words = name.split(QRegularExpression(QStringLiteral("[\\s\\-']+")), Qt::SkipEmptyParts);
    if (words.size() == 1)
        return words[0].left(1).toUpper() + words[0].mid(1, 1).toLower();
    QString result;
    for (const QString &word : words) {
        result += word.at(0).toUpper();
        if (result.size() == 3)
            break;
    }
    return result;
}

QPainterPath shieldPath(const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right(), r.top());
    path.lineTo(r.right(), r.top() + r.height() * 0.55);
    path.quadTo(r.right(), r.bottom() - r.height() * 0.12, r.center().x(), r.bottom());
    path.quadTo(r.left(), r.bottom() - r.height() * 0.12, r.left(), r.top() + r.height() * 0.55);
    path.closeSubpath();
    return path;
}

QPixmap arrow(Pictures::Movement movement)
{
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QPolygonF shape;
    switch (movement) {
    case Pictures::Up:
        p.setBrush(windowstyle::colour(palette::window::PictureWin));
        shape << QPointF(8, 2) << QPointF(14, 11) << QPointF(2, 11);
        break;
    case Pictures::Down:
        p.setBrush(windowstyle::colour(palette::window::PictureDefeat));
        shape << QPointF(2, 5) << QPointF(14, 5) << QPointF(8, 14);
        break;
    case Pictures::Same:
        p.setBrush(windowstyle::colour(palette::window::PictureDraw));
        shape << QPointF(2, 6) << QPointF(14, 6) << QPointF(14, 10) << QPointF(2, 10);
        break;
    }
    p.drawPolygon(shape);
    return pix;
}

// A picture supplied in the program folder: a logo or a crest is a small
// image, so a larger file, or one that says it is larger, is not one.
constexpr qint64 MaxPictureBytes = 4 * 1024 * 1024;
constexpr int MaxPictureSide = 4096;

// The picture in the file at `path`, read through the guarded reader (a FIFO
// or a device named like a picture must not stop the start-up); a null
// pixmap when there is none to show.
QPixmap suppliedPicture(const QString &path)
{
    safefile::Read file = safefile::read(path, MaxPictureBytes);
    if (!file.ok())
        return {};
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return {};
    return QPixmap::fromImage(reader.read());
}

} // namespace

Pictures::Pictures(QString programFolder)
    : m_folder(std::move(programFolder))
{}

void Pictures::loadCrests(const std::array<QString, 20> &teamNames)
{
    for (int team = 0; team < 20; ++team) {
        const QString file = QDir(m_folder).filePath(QStringLiteral("blasons/%1.png").arg(QChar(65 + team)));
        const QPixmap supplied = suppliedPicture(file);
        if (!supplied.isNull())
            m_crests[team] = supplied.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        else
            m_crests[team] = drawCrest(teamNames[team]);
    }
}

QPixmap Pictures::crest(int team) const
{
    return team >= 0 && team < 20 ? m_crests[team] : QPixmap();
}

QPixmap Pictures::movement(Movement movement) const
{
    return arrow(movement);
}

QPixmap Pictures::drawCrest(const QString &teamName, int size)
{
    const quint32 h = nameHash(teamName);
    const QColor main = QColor::fromHsv(int(h % 360), 170 + int((h >> 9) % 70), 150 + int((h >> 17) % 80));
    const QColor second = QColor::fromHsv(int((h % 360 + 150 + (h >> 5) % 60) % 360), 60, 245);
    const int pattern = int((h >> 24) % 3);

    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(size * 0.08, size * 0.04, size * 0.84, size * 0.92);
    const QPainterPath shield = shieldPath(r);
    p.fillPath(shield, main);
    p.save();
    p.setClipPath(shield);
    if (pattern == 0) // a band across
        p.fillRect(QRectF(r.left(), r.top() + r.height() * 0.36, r.width(), r.height() * 0.26), second);
    else if (pattern == 1) // halves
        p.fillRect(QRectF(r.center().x(), r.top(), r.width() / 2, r.height()), second);
    else // a chief
        p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.3), second);
    p.restore();
    p.setPen(QPen(windowstyle::colour(palette::window::CrestOutline), size / 24.0));
    p.drawPath(shield);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(int(size * 0.32));
    p.setFont(font);
    const QRectF textBox(r.left(), r.top() + r.height() * 0.28, r.width(), r.height() * 0.42);
    p.setPen(QColor::fromRgba(palette::window::CrestShadowArgb));
    p.drawText(textBox.translated(1, 1), Qt::AlignCenter, initials(teamName));
    p.setPen(Qt::white);
    p.drawText(textBox, Qt::AlignCenter, initials(teamName));
    return pix;
}

QPixmap Pictures::logo() const
{
    const QString file = QDir(m_folder).filePath(QStringLiteral("logo.png"));
    if (const QPixmap supplied = suppliedPicture(file); !supplied.isNull())
        return supplied;

    // A ball on a pennant with the league's name.
    QPixmap pix(120, 120);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 120);
    sky.setColorAt(0, windowstyle::colour(palette::window::BannerSkyTop));
    sky.setColorAt(1, windowstyle::colour(palette::window::BannerSkyBottom));
    p.setBrush(sky);
    p.setPen(QPen(windowstyle::Gold, 3));
    p.drawEllipse(QRectF(4, 4, 112, 112));
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QRectF(36, 18, 48, 48));
    p.setBrush(Qt::black);
    QPolygonF patch;
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 2 * M_PI / 5;
        patch << QPointF(60 + 10 * std::cos(a), 42 + 10 * std::sin(a));
    }
    p.drawPolygon(patch);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(22);
    p.setFont(font);
    p.setPen(windowstyle::Gold);
    p.drawText(QRectF(0, 68, 120, 30), Qt::AlignCenter, QStringLiteral("K1"));
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 92, 120, 16), Qt::AlignCenter, QStringLiteral("2013 - 2014"));
    return pix;
}
