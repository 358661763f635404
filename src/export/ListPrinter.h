#pragma once

#include <QDate>
#include <QList>

#include <functional>
#include <optional>

class CDomainDoc;
class CPrintLayout;
class CPrintPages;
class QPageRanges;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Prints the whole list, every entry, ticked or not, in pages of CPrintLayout. "Print Lines"
// below 1 counts as 1. The window prints and previews on a QPrinter, the command line on a
// QPdfWriter.
class CListPrinter {
public:
    CListPrinter(const CDomainDoc& doc, int printLines, QDate today);

    // How many pages the list takes with the device's paper and resolution.
    int PageCount(const QPaintDevice& device) const;
    // Prints every page, or only those in the device's page ranges (a range past the last page
    // prints nothing). Returns the number of pages printed; nothing when the device would not
    // start.
    std::optional<int> Print(QPagedPaintDevice& device) const;
    // Paints the pages onto an active painter, for surfaces that page themselves, such as one
    // image per page; `newPage` runs between two pages. Returns the number of pages painted.
    int Paint(QPainter& painter, const QPageRanges& ranges,
              const std::function<void()>& newPage) const;

private:
    CPrintPages Pages(const CPrintLayout& layout) const;
    void PaintPages(QPainter& painter, const CPrintLayout& layout, const CPrintPages& pages,
                    const QList<int>& numbers, const std::function<void()>& newPage) const;

    const CDomainDoc& m_doc;
    int m_nPrintLines;
    QDate m_today;
};
