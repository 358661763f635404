#include "export/PrintLayout.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"

#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

constexpr int kHeaderHeight = 200;
constexpr int kHeadingHeight = 340;
constexpr int kRowHeight = 240;
constexpr int kNormalWeight = 400;
constexpr int kHeadingWeight = 800;
constexpr int kRuleWidth = 2;

// A font whose character cell (ascent plus descent) is `cellHeight` twips, which is what the
// layout's heights measure, whatever the proportions of the face that stands in for Arial.
QFont CellHeightFont(int cellHeight, int weight, const QPaintDevice& device)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setPixelSize(cellHeight);
    const int measured = QFontMetrics(font, &device).height();
    if (measured > 0) {
        font.setPixelSize(std::max(1, qRound(double(cellHeight) * cellHeight / measured)));
    }
    return font;
}

int Twips(int pixels, int dotsPerInch)
{
    return static_cast<int>(qint64{pixels} * CPrintLayout::kTwipsPerInch /
                            std::max(1, dotsPerInch));
}

void DrawText(QPainter& painter, const QFontMetrics& metrics, int x, int top, const QString& text)
{
    painter.drawText(QPoint(x, top + metrics.ascent()), text);
}

void DrawTextEndingAt(QPainter& painter, const QFontMetrics& metrics, int right, int top,
                      const QString& text)
{
    DrawText(painter, metrics, right - metrics.horizontalAdvance(text), top, text);
}

} // namespace

CPrintLayout::CPrintLayout(const QPaintDevice& device)
    : m_nWidth(Twips(device.width(), device.logicalDpiX()))
    , m_nHeight(Twips(device.height(), device.logicalDpiY()))
    , m_scaleX(double(device.logicalDpiX()) / kTwipsPerInch)
    , m_scaleY(double(device.logicalDpiY()) / kTwipsPerInch)
    , m_headerFont(CellHeightFont(kHeaderHeight, kNormalWeight, device))
    , m_headingFont(CellHeightFont(kHeadingHeight, kHeadingWeight, device))
    , m_rowFont(CellHeightFont(kRowHeight, kNormalWeight, device))
    , m_header(m_headerFont, &device)
    , m_heading(m_headingFont, &device)
    , m_row(m_rowFont, &device)
{}

int CPrintLayout::RowsThatFit() const
{
    // A row may start as low as the footer's reach allows; the first row is always printed.
    const int lowestTop = m_nHeight - kFooterBase - m_heading.height();
    if (lowestTop < FirstRowTop()) {
        return 1;
    }
    return 1 + (lowestTop - FirstRowTop()) / RowStep();
}

void CPrintLayout::PaintPage(QPainter& painter, int page, const CDomainDoc& doc,
                             CPrintPages::Range rows, QDate today) const
{
    painter.save();
    painter.scale(m_scaleX, m_scaleY);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::black);
    PaintHeader(painter, today);
    PaintHeadings(painter);
    PaintRows(painter, doc, rows);
    PaintFooter(painter, page);
    painter.restore();
}

QString CPrintLayout::Notice()
{
    return QStringLiteral("A name shown as available may have been registered since it was "
                          "checked.");
}

QString CPrintLayout::DateText(QDate date)
{
    return QLocale::c().toString(date, QStringLiteral("dddd, MMMM dd, yyyy"));
}

void CPrintLayout::PaintHeader(QPainter& painter, QDate today) const
{
    painter.setFont(m_headerFont);
    DrawText(painter, m_header, kLeft, HeaderTop(), Title());
    DrawTextEndingAt(painter, m_header, Right(), HeaderTop(), DateText(today));
    PaintRule(painter, kHeaderBase - m_header.height());
}

void CPrintLayout::PaintHeadings(QPainter& painter) const
{
    painter.setFont(m_headingFont);
    DrawText(painter, m_heading, kLeft, HeadingTop(), QStringLiteral("Domain Names"));
    DrawText(painter, m_heading, StatusColumn(), HeadingTop(), QStringLiteral("Status"));
    DrawTextEndingAt(painter, m_heading, Right(), HeadingTop(), QStringLiteral("Checked On"));
}

void CPrintLayout::PaintRows(QPainter& painter, const CDomainDoc& doc,
                             CPrintPages::Range rows) const
{
    painter.setFont(m_rowFont);
    int top = FirstRowTop();
    for (int index = rows.first; index < rows.end; ++index) {
        const CDomainInfo& entry = *doc.GetAt(index);
        QByteArray checkedOn;
        doc.GetFieldText(index, 3, checkedOn);
        DrawText(painter, m_row, kLeft, top,
                 QString::number(index + 1) + QStringLiteral("] ") +
                     ByteText::Decode(DomainName::WithALabel(entry.m_strName)));
        DrawText(painter, m_row, StatusColumn(), top, ByteText::Decode(PrintStatusText(entry)));
        DrawTextEndingAt(painter, m_row, Right(), top, ByteText::Decode(checkedOn));
        top += RowStep();
    }
}

void CPrintLayout::PaintFooter(QPainter& painter, int page) const
{
    painter.setFont(m_headerFont);
    const int textWidth = m_nWidth - kLeft - kRightMargin;
    DrawText(painter, m_header, kLeft + (textWidth - m_header.horizontalAdvance(Notice())) / 2,
             FooterTop(), Notice());
    DrawTextEndingAt(painter, m_header, Right(), FooterTop(), PageText(page));
    PaintRule(painter, FooterTop() - m_header.height() / 10);
}

void CPrintLayout::PaintRule(QPainter& painter, int y) const
{
    // Never thinner than one dot, so a rule stays solid on a screen or a coarse printer.
    const double oneDot = 1.0 / m_scaleY;
    painter.setPen(QPen(Qt::black, std::max<double>(kRuleWidth, oneDot), Qt::SolidLine));
    painter.drawLine(kLeft, y, Right(), y);
}
