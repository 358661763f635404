#pragma once

#include "export/PrintPages.h"

#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <algorithm>

class CDomainDoc;
class QPaintDevice;
class QPainter;

// One page of the printed list, laid out in twips (1/1440 inch) on a device of any resolution:
// the product line and the date above a rule, the column headings "Domain Names", "Status" and
// "Checked On", one row per entry, and a notice and the page number below a rule. Distances are
// measured from the edges of the device's paintable area.
class CPrintLayout {
public:
    static constexpr int kTwipsPerInch = 1440;
    static constexpr int kLeft = 1080;
    static constexpr int kRightMargin = 720;
    static constexpr int kHeaderBase = 1080;
    static constexpr int kFooterBase = 720;

    // Measures the paintable area and the fonts on `device`.
    explicit CPrintLayout(const QPaintDevice& device);

    int PageWidth() const { return m_nWidth; }
    int PageHeight() const { return m_nHeight; }
    int Right() const { return m_nWidth - kRightMargin; }
    int StatusColumn() const { return kLeft + (m_nWidth - kLeft - kRightMargin) / 3; }
    // Tops of the texts of each band.
    int HeaderTop() const { return kHeaderBase - 2 * m_header.height(); }
    int HeadingTop() const { return kHeaderBase + m_heading.height(); }
    int FirstRowTop() const { return HeadingTop() + 2 * m_heading.height(); }
    int RowStep() const { return std::max(1, 3 * m_row.height() / 2); }
    int FooterTop() const { return m_nHeight - kFooterBase + 2 * m_header.height(); }
    // How many rows the space between the headings and the footer takes; at least one.
    int RowsThatFit() const;

    // Paints page `page`, which holds the entries `rows` of `doc`; the header shows `today`.
    void PaintPage(QPainter& painter, int page, const CDomainDoc& doc, CPrintPages::Range rows,
                   QDate today) const;

    static QString Title() { return QStringLiteral("Quillon from Tavrel Technologies"); }
    static QString Notice();
    // "%A, %B %d, %Y": English names, two-digit day.
    static QString DateText(QDate date);
    static QString PageText(int page) { return QStringLiteral("Page-%1").arg(page); }

private:
    void PaintHeader(QPainter& painter, QDate today) const;
    void PaintHeadings(QPainter& painter) const;
    void PaintRows(QPainter& painter, const CDomainDoc& doc, CPrintPages::Range rows) const;
    void PaintFooter(QPainter& painter, int page) const;
    void PaintRule(QPainter& painter, int y) const;

    int m_nWidth;
    int m_nHeight;
    double m_scaleX;
    double m_scaleY;
    QFont m_headerFont;
    QFont m_headingFont;
    QFont m_rowFont;
    QFontMetrics m_header;
    QFontMetrics m_heading;
    QFontMetrics m_row;
};
