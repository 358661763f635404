#include "shell/ProgramIcons.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <cmath>
#include <numbers>
#include <optional>

namespace ProgramIcons {
namespace {

// The picture is laid out on a 48-unit square and scaled to the size asked for.
constexpr qreal kDesignSize = 48.0;
constexpr QPointF kLensCentre{20.0, 20.0};
constexpr qreal kGlobeRadius = 13.5;
constexpr qreal kRimRadius = 15.5;
constexpr qreal kRimWidth = 4.0;
constexpr QPointF kHandleStart{31.0, 31.0};
constexpr QPointF kHandleEnd{42.5, 42.5};
constexpr qreal kHandleWidth = 7.0;
constexpr qreal kLatitude = 35.0;
// Turning the globe by the spacing of its meridians looks like not turning at all, so the busy
// frames share that turn out and loop without a jump.
constexpr qreal kMeridianSpacing = 60.0;
constexpr qreal kTurnPerFrame = kMeridianSpacing / kBusyFrameCount;
constexpr qreal kSweepPerFrame = 360.0 / kBusyFrameCount;
constexpr qreal kSweepLength = 130.0;
// Below this size the latitude lines would blur the globe into one smudge.
constexpr int kSmallestSizeWithLatitudes = 32;

constexpr int kProgramSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kTraySizes[] = {16, 22, 24, 32, 48, 64};

qreal Radians(qreal degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

QRectF Circle(QPointF centre, qreal radius)
{
    return QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
}

void DrawHandle(QPainter& painter)
{
    QLinearGradient shine(kHandleStart, kHandleEnd);
    shine.setColorAt(0.0, QColor(0x7d, 0x89, 0x9b));
    shine.setColorAt(1.0, QColor(0x3a, 0x43, 0x52));
    painter.setPen(QPen(QBrush(shine), kHandleWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(kHandleStart, kHandleEnd);
}

QPainterPath GlobeGrid(qreal turn, bool withLatitudes)
{
    const qreal cx = kLensCentre.x();
    const qreal cy = kLensCentre.y();
    const qreal r = kGlobeRadius;
    QPainterPath grid;
    grid.moveTo(cx - r, cy);
    grid.lineTo(cx + r, cy);
    if (withLatitudes) {
        const qreal rise = r * std::sin(Radians(kLatitude));
        const qreal halfWidth = r * std::cos(Radians(kLatitude));
        for (const qreal y : {cy - rise, cy + rise}) {
            grid.moveTo(cx - halfWidth, y);
            grid.lineTo(cx + halfWidth, y);
        }
    }
    // Seen from the front, a meridian is half an ellipse as wide as the sine of its longitude.
    for (int k = -2; k <= 2; ++k) {
        const qreal longitude = turn + k * kMeridianSpacing;
        if (std::abs(longitude) >= 90.0) {
            continue;
        }
        const qreal reach = r * std::sin(Radians(longitude));
        const QRectF bounds(cx - std::abs(reach), cy - r, 2 * std::abs(reach), 2 * r);
        grid.arcMoveTo(bounds, 90.0);
        grid.arcTo(bounds, 90.0, reach >= 0 ? -180.0 : 180.0);
    }
    return grid;
}

void DrawGlobe(QPainter& painter, qreal turn, int size)
{
    QRadialGradient sea(kLensCentre - QPointF(4.5, 5.5), kGlobeRadius * 1.5);
    sea.setColorAt(0.0, QColor(0x8f, 0xd0, 0xff));
    sea.setColorAt(0.55, QColor(0x2f, 0x86, 0xdc));
    sea.setColorAt(1.0, QColor(0x12, 0x4a, 0x9e));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sea);
    painter.drawEllipse(Circle(kLensCentre, kGlobeRadius + 0.5));

    painter.save();
    QPainterPath glass;
    glass.addEllipse(Circle(kLensCentre, kGlobeRadius));
    painter.setClipPath(glass);
    const qreal onePixel = kDesignSize / size;
    painter.setPen(QPen(QColor(255, 255, 255, 215), std::max(1.3, onePixel)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(GlobeGrid(turn, size >= kSmallestSizeWithLatitudes));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawEllipse(QRectF(9.0, 8.0, 12.0, 7.0));
    painter.restore();
}

void DrawRim(QPainter& painter)
{
    QLinearGradient metal(kLensCentre - QPointF(kRimRadius, kRimRadius),
                          kLensCentre + QPointF(kRimRadius, kRimRadius));
    metal.setColorAt(0.0, QColor(0xa4, 0xb0, 0xc2));
    metal.setColorAt(1.0, QColor(0x3a, 0x43, 0x52));
    painter.setPen(QPen(QBrush(metal), kRimWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(Circle(kLensCentre, kRimRadius));
}

// An amber arc on the rim, bright at its head and fading towards its tail; it moves clockwise
// from twelve o'clock, one sixth of a turn per frame.
void DrawSweep(QPainter& painter, int frame)
{
    const qreal head = 90.0 - frame * kSweepPerFrame;
    // The gradient starts a little ahead of the head so that the round cap is bright as well.
    constexpr qreal kLead = 10.0;
    QConicalGradient glow(kLensCentre, head - kLead);
    const QColor amber(0xff, 0xb4, 0x1e);
    glow.setColorAt(0.0, amber);
    glow.setColorAt((kLead + kSweepLength / 3) / 360.0, amber);
    glow.setColorAt((kLead + kSweepLength) / 360.0, QColor(0xff, 0xb4, 0x1e, 0));
    glow.setColorAt(1.0, QColor(0xff, 0xb4, 0x1e, 0));
    painter.setPen(QPen(QBrush(glow), kRimWidth + 1.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(Circle(kLensCentre, kRimRadius), qRound(head * 16), qRound(kSweepLength * 16));
}

QImage Render(int size, qreal turn, std::optional<int> sweepFrame)
{
    if (size <= 0) {
        return QImage();
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kDesignSize, size / kDesignSize);
    DrawHandle(painter);
    DrawGlobe(painter, turn, size);
    DrawRim(painter);
    if (sweepFrame) {
        DrawSweep(painter, *sweepFrame);
    }
    return image;
}

} // namespace

QImage DrawProgramImage(int size)
{
    return Render(size, 0.0, std::nullopt);
}

QImage DrawBusyImage(int frame, int size)
{
    const int step = ((frame % kBusyFrameCount) + kBusyFrameCount) % kBusyFrameCount;
    return Render(size, step * kTurnPerFrame, step);
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : kProgramSizes) {
        icon.addPixmap(QPixmap::fromImage(DrawProgramImage(size)));
    }
    return icon;
}

QList<QIcon> BusyFrames()
{
    QList<QIcon> frames;
    for (int frame = 0; frame < kBusyFrameCount; ++frame) {
        QIcon icon;
        for (const int size : kTraySizes) {
            icon.addPixmap(QPixmap::fromImage(DrawBusyImage(frame, size)));
        }
        frames.append(icon);
    }
    return frames;
}

} // namespace ProgramIcons
