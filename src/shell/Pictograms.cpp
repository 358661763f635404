#include "shell/Pictograms.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <utility>

namespace Pictograms {

namespace {

const QColor kInk(52, 58, 70);
const QColor kPaper(252, 252, 250);
const QColor kLine(150, 156, 168);
const QColor kBlue(45, 110, 190);
const QColor kSky(160, 200, 240);
const QColor kGreen(36, 150, 70);
const QColor kRed(205, 45, 45);
const QColor kAmber(240, 180, 50);
const QColor kSteel(205, 208, 216);

void Outline(QPainter& painter, const QColor& colour, qreal width = 1.0)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
}

// A sheet with its top right corner folded over.
void Page(QPainter& painter, const QRectF& sheet)
{
    const qreal fold = 3;
    QPainterPath outline;
    outline.moveTo(sheet.topLeft());
    outline.lineTo(sheet.right() - fold, sheet.top());
    outline.lineTo(sheet.right(), sheet.top() + fold);
    outline.lineTo(sheet.bottomRight());
    outline.lineTo(sheet.bottomLeft());
    outline.closeSubpath();
    Outline(painter, kInk);
    painter.setBrush(kPaper);
    painter.drawPath(outline);
    QPainterPath corner;
    corner.moveTo(sheet.right() - fold, sheet.top());
    corner.lineTo(sheet.right() - fold, sheet.top() + fold);
    corner.lineTo(sheet.right(), sheet.top() + fold);
    painter.setBrush(kSteel);
    painter.drawPath(corner);
}

// Grey lines of text across a sheet, from `top` down every two units while they fit.
void TextLines(QPainter& painter, qreal left, qreal right, qreal top, qreal bottom)
{
    Outline(painter, kLine);
    for (qreal y = top; y <= bottom; y += 2) {
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
}

// A filled disc with a white sign on it (plus, minus, cross or tick).
void Disc(QPainter& painter, const QPointF& centre, qreal radius, const QColor& colour)
{
    Outline(painter, colour.darker(140));
    painter.setBrush(colour);
    painter.drawEllipse(centre, radius, radius);
    Outline(painter, Qt::white, radius / 2.5);
}

void Tick(QPainter& painter, const QPointF& origin, qreal size, const QColor& colour, qreal width)
{
    Outline(painter, colour, width);
    painter.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(origin + QPointF(0.15 * size, 0.5 * size));
    tick.lineTo(origin + QPointF(0.42 * size, 0.78 * size));
    tick.lineTo(origin + QPointF(0.9 * size, 0.18 * size));
    painter.drawPath(tick);
}

// A white box with a blue band across its top: a window, or a table with its heading.
void TitledBox(QPainter& painter, const QRectF& box, qreal band)
{
    Outline(painter, kInk);
    painter.setBrush(kPaper);
    painter.drawRect(box);
    painter.setBrush(kBlue);
    painter.drawRect(QRectF(box.topLeft(), QSizeF(box.width(), band)));
}

// A blue globe with its equator and two meridians.
void Globe(QPainter& painter, const QPointF& centre, qreal radius)
{
    QRadialGradient sea(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    sea.setColorAt(0, kSky);
    sea.setColorAt(1, kBlue);
    Outline(painter, kBlue.darker(150));
    painter.setBrush(sea);
    painter.drawEllipse(centre, radius, radius);
    Outline(painter, QColor(255, 255, 255, 170), 0.8);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius * 0.45, radius - 0.4);
    painter.drawLine(centre - QPointF(radius - 0.4, 0), centre + QPointF(radius - 0.4, 0));
    painter.drawLine(centre - QPointF(0, radius - 0.4), centre + QPointF(0, radius - 0.4));
}

// One row of a list: its tick box (ticked or empty) and a line of text ending at `textEnd`.
void ListRow(QPainter& painter, qreal top, bool ticked, qreal textEnd = 14.5)
{
    const QRectF box(1.5, top + 0.5, 4, 4);
    Outline(painter, kInk);
    painter.setBrush(kPaper);
    painter.drawRect(box);
    if (ticked) {
        Tick(painter, QPointF(1.2, top), 5, kGreen, 1.4);
    }
    Outline(painter, kLine, 1.4);
    painter.drawLine(QPointF(7.5, top + 2.5), QPointF(textEnd, top + 2.5));
}

void ListRows(QPainter& painter, std::array<bool, 3> ticked, qreal textEnd = 14.5)
{
    for (std::size_t row = 0; row < ticked.size(); ++row) {
        ListRow(painter, 1 + 5 * static_cast<qreal>(row), ticked[row], textEnd);
    }
}

void Arrowhead(QPainter& painter, const QPointF& tip, const QPointF& back, const QColor& colour)
{
    const QPointF along = tip - back;
    const QPointF across(-along.y() / 2, along.x() / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF{tip, back + across, back - across});
}

void NewDocument(QPainter& painter)
{
    Page(painter, QRectF(2.5, 1.5, 9, 13));
    TextLines(painter, 4.5, 9.5, 6.5, 10.5);
    Disc(painter, QPointF(12, 12), 3.5, kGreen);
    painter.drawLine(QPointF(10.3, 12), QPointF(13.7, 12));
    painter.drawLine(QPointF(12, 10.3), QPointF(12, 13.7));
}

void OpenDocument(QPainter& painter)
{
    const QColor edge(160, 110, 20);
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    Outline(painter, edge);
    painter.setBrush(kAmber.darker(115));
    painter.drawPath(back);
    painter.setBrush(kAmber.lighter(115));
    painter.drawPolygon(
        QPolygonF{QPointF(4, 7.5), QPointF(15, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
}

void SaveDocument(QPainter& painter)
{
    Outline(painter, kBlue.darker(160));
    painter.setBrush(kBlue);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    painter.setBrush(kSteel);
    painter.drawRect(QRectF(4.5, 1.5, 7, 4.5));
    painter.setBrush(kInk);
    painter.drawRect(QRectF(8.5, 2.5, 1.5, 2.5));
    painter.setBrush(kPaper);
    painter.drawRect(QRectF(3.5, 8.5, 9, 6));
    TextLines(painter, 5, 11, 10.5, 12.5);
}

void PrintDocument(QPainter& painter)
{
    Outline(painter, kInk);
    painter.setBrush(kPaper);
    painter.drawRect(QRectF(4.5, 1.5, 7, 5));
    painter.setBrush(kSteel);
    painter.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1, 1);
    painter.setBrush(kPaper);
    painter.drawRect(QRectF(4.5, 9.5, 7, 5));
    TextLines(painter, 6, 10, 11.5, 13.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGreen);
    painter.drawEllipse(QPointF(12.5, 7.5), 0.9, 0.9);
}

void CopyEntries(QPainter& painter)
{
    Page(painter, QRectF(1.5, 1.5, 8, 10));
    TextLines(painter, 3, 7, 5.5, 9.5);
    Page(painter, QRectF(6.5, 4.5, 8, 10));
    TextLines(painter, 8, 12.5, 8.5, 12.5);
}

void Magnifier(QPainter& painter)
{
    Outline(painter, kInk, 2.2);
    painter.drawLine(QPointF(10, 10), QPointF(14, 14));
    QRadialGradient lens(QPointF(5, 5), 6);
    lens.setColorAt(0, Qt::white);
    lens.setColorAt(1, kSky);
    Outline(painter, kInk, 1.4);
    painter.setBrush(lens);
    painter.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
}

void DeleteSelected(QPainter& painter)
{
    Outline(painter, kInk);
    painter.setBrush(kSteel);
    painter.drawRect(QRectF(6, 1.5, 4, 2));
    painter.drawLine(QPointF(2, 4), QPointF(14, 4));
    painter.drawPolygon(
        QPolygonF{QPointF(3.5, 4.5), QPointF(12.5, 4.5), QPointF(11.5, 14.5), QPointF(4.5, 14.5)});
    Outline(painter, kLine);
    for (const qreal x : {6.5, 8.0, 9.5}) {
        painter.drawLine(QPointF(x, 6.5), QPointF(x, 12.5));
    }
}

void AddNames(QPainter& painter)
{
    Disc(painter, QPointF(8, 8), 6.5, kGreen);
    painter.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
    painter.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
}

void DeleteEntry(QPainter& painter)
{
    Disc(painter, QPointF(8, 8), 6.5, kRed);
    painter.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
}

void Refresh(QPainter& painter)
{
    Outline(painter, kBlue, 2);
    painter.setBrush(Qt::NoBrush);
    const QRectF circle(3, 3, 10, 10);
    painter.drawArc(circle, 60 * 16, 270 * 16);
    Arrowhead(painter, QPointF(12.6, 2.2), QPointF(9.6, 4.6), kBlue);
}

void StartLookups(QPainter& painter)
{
    Outline(painter, kGreen.darker(150));
    painter.setBrush(kGreen);
    painter.drawPolygon(QPolygonF{QPointF(4, 2), QPointF(14, 8), QPointF(4, 14)});
}

void StopLookups(QPainter& painter)
{
    QPolygonF octagon;
    for (const auto& [x, y] :
         {std::pair(5.3, 1.5), std::pair(10.7, 1.5), std::pair(14.5, 5.3), std::pair(14.5, 10.7),
          std::pair(10.7, 14.5), std::pair(5.3, 14.5), std::pair(1.5, 10.7), std::pair(1.5, 5.3)}) {
        octagon << QPointF(x, y);
    }
    Outline(painter, kRed.darker(150));
    painter.setBrush(kRed);
    painter.drawPolygon(octagon);
    Outline(painter, Qt::white, 2);
    painter.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
    painter.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
}

void Help(QPainter& painter)
{
    Disc(painter, QPointF(8, 8), 6.5, kBlue);
    QPainterPath hook;
    hook.moveTo(5.8, 6.2);
    hook.cubicTo(5.8, 3.6, 10.4, 3.6, 10.2, 6.2);
    hook.cubicTo(10.1, 7.6, 8, 7.8, 8, 9.6);
    painter.setBrush(Qt::NoBrush);
    Outline(painter, Qt::white, 1.8);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(8, 12), 1.1, 1.1);
}

void MinimizeToTray(QPainter& painter)
{
    TitledBox(painter, QRectF(3.5, 1.5, 9, 7), 2);
    Outline(painter, kGreen, 1.6);
    painter.drawLine(QPointF(8, 9), QPointF(8, 10.5));
    Arrowhead(painter, QPointF(8, 12.6), QPointF(8, 10), kGreen);
    Outline(painter, kInk);
    painter.setBrush(kSteel.darker(130));
    painter.drawRoundedRect(QRectF(1.5, 12.5, 13, 2.5), 1, 1);
}

void CheckDomain(QPainter& painter)
{
    Globe(painter, QPointF(7, 7), 5.8);
    Disc(painter, QPointF(12, 12), 3.6, kGreen);
    Tick(painter, QPointF(9.9, 9.9), 4.2, Qt::white, 1.3);
}

void BrowseWebsite(QPainter& painter)
{
    Globe(painter, QPointF(7, 7), 5.8);
    Outline(painter, kInk, 0.9);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF{QPointF(9, 8), QPointF(9, 15.2), QPointF(10.8, 13.4),
                                  QPointF(12.2, 15.6), QPointF(13.4, 14.9), QPointF(12.1, 12.8),
                                  QPointF(14.5, 12.6)});
}

void ConstructNames(QPainter& painter)
{
    const auto block = [&painter](const QRectF& face, const QColor& colour) {
        Outline(painter, colour.darker(160));
        painter.setBrush(colour);
        painter.drawRoundedRect(face, 1, 1);
        Outline(painter, QColor(255, 255, 255, 200), 1.1);
        painter.drawLine(face.center() - QPointF(1.4, 0), face.center() + QPointF(1.4, 0));
    };
    block(QRectF(1.5, 8.5, 6, 6), kBlue);
    block(QRectF(8.5, 8.5, 6, 6), kGreen);
    block(QRectF(5, 1.5, 6, 6), kAmber.darker(110));
}

void SetupDomains(QPainter& painter)
{
    TitledBox(painter, QRectF(1.5, 2.5, 13, 11), 3);
    Outline(painter, kLine);
    painter.drawLine(QPointF(6.5, 5.5), QPointF(6.5, 13.5));
    painter.drawLine(QPointF(1.5, 9.5), QPointF(14.5, 9.5));
    Outline(painter, kInk, 1.2);
    painter.drawPoint(QPointF(3, 7.7));
    painter.drawPoint(QPointF(3, 11.7));
}

void TickAll(QPainter& painter)
{
    ListRows(painter, {true, true, true});
}

void UntickAll(QPainter& painter)
{
    ListRows(painter, {false, false, false});
}

void TickRange(QPainter& painter)
{
    ListRows(painter, {false, true, true}, 11);
    Outline(painter, kBlue, 1.2);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF{QPointF(12.5, 6.5), QPointF(14.5, 6.5), QPointF(14.5, 14.5),
                                   QPointF(12.5, 14.5)});
}

void InvertTicks(QPainter& painter)
{
    ListRows(painter, {true, false, true}, 9.5);
    Outline(painter, kBlue, 1.2);
    painter.drawLine(QPointF(10.5, 5), QPointF(13.5, 5));
    Arrowhead(painter, QPointF(15.5, 5), QPointF(13, 5), kBlue);
    Outline(painter, kBlue, 1.2);
    painter.drawLine(QPointF(15, 11), QPointF(12, 11));
    Arrowhead(painter, QPointF(10, 11), QPointF(12.5, 11), kBlue);
}

constexpr std::pair<std::string_view, Painter> kPictograms[] = {
    {"document-new", NewDocument},
    {"document-open", OpenDocument},
    {"document-save", SaveDocument},
    {"document-print", PrintDocument},
    {"edit-copy", CopyEntries},
    {"edit-find", Magnifier},
    {"edit-delete", DeleteSelected},
    {"list-add", AddNames},
    {"list-remove", DeleteEntry},
    {"view-refresh", Refresh},
    {"media-playback-start", StartLookups},
    {"process-stop", StopLookups},
    {"help-contents", Help},
    {"quillon-tray", MinimizeToTray},
    {"quillon-check", CheckDomain},
    {"quillon-browse", BrowseWebsite},
    {"quillon-construct", ConstructNames},
    {"quillon-tlds", SetupDomains},
    {"quillon-tick-all", TickAll},
    {"quillon-untick-all", UntickAll},
    {"quillon-tick-range", TickRange},
    {"quillon-tick-invert", InvertTicks},
};

} // namespace

Painter Find(std::string_view iconName)
{
    for (const auto& [name, painter] : kPictograms) {
        if (name == iconName) {
            return painter;
        }
    }
    return nullptr;
}

} // namespace Pictograms
