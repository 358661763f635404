#include "view/ButtonArtwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <cmath>

namespace ButtonArtwork {

namespace {

QPixmap Canvas(int width, int height)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(width, height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A raised face, or a sunken one shifted by a pixel while pressed.
void DrawFace(QPainter& painter, const QRectF& area, bool pressed)
{
    QLinearGradient face(area.topLeft(), area.bottomLeft());
    face.setColorAt(0, pressed ? QColor(214, 214, 206) : QColor(252, 252, 246));
    face.setColorAt(1, pressed ? QColor(234, 234, 226) : QColor(226, 228, 218));
    painter.setPen(QPen(QColor(150, 150, 140), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
}

QPainterPath Star(const QPointF& centre, qreal outer, qreal inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle),
                            centre.y() + radius * std::sin(angle));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    return star;
}

void DrawCaption(QPainter& painter, const QRectF& area, const QString& first, const QString& second)
{
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 60));
    const QRectF top(area.left(), area.top() + 3, area.width(), area.height() / 2 - 3);
    const QRectF bottom(area.left(), area.center().y(), area.width(), area.height() / 2 - 3);
    painter.drawText(top, Qt::AlignCenter, first);
    painter.drawText(bottom, Qt::AlignCenter, second);
}

} // namespace

QPixmap SupportPicture(bool pressed)
{
    QPixmap pixmap = Canvas(82, 35);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal shift = pressed ? 1 : 0;
    DrawFace(painter, QRectF(0, 0, 82, 35), pressed);
    painter.setPen(QPen(QColor(150, 0, 0), 1));
    painter.setBrush(QColor(220, 20, 30));
    painter.drawPath(Star(QPointF(15 + shift, 17.5 + shift), 11, 4.6));
    DrawCaption(painter, QRectF(26 + shift, shift, 55, 35), QStringLiteral("Dez Oduro"),
                QStringLiteral("Rudorav"));
    return pixmap;
}

QPixmap RegisterPicture(bool pressed)
{
    QPixmap pixmap = Canvas(82, 32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal shift = pressed ? 1 : 0;
    DrawFace(painter, QRectF(0, 0, 82, 32), pressed);
    const QPointF centre(15 + shift, 16 + shift);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 90, 170), 2));
    painter.drawEllipse(centre, 9, 9);
    painter.setPen(QPen(QColor(0, 90, 170), 1.4));
    painter.drawEllipse(centre, 4, 4);
    painter.drawLine(QPointF(centre.x() - 12, centre.y()), QPointF(centre.x() - 5, centre.y()));
    painter.drawLine(QPointF(centre.x() + 5, centre.y()), QPointF(centre.x() + 12, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - 12), QPointF(centre.x(), centre.y() - 5));
    painter.drawLine(QPointF(centre.x(), centre.y() + 5), QPointF(centre.x(), centre.y() + 12));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 20, 30));
    painter.drawEllipse(centre, 1.6, 1.6);
    DrawCaption(painter, QRectF(27 + shift, shift, 54, 32), QStringLiteral("Register"),
                QStringLiteral("Domain"));
    return pixmap;
}

} // namespace ButtonArtwork
