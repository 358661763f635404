#include "export/ListPrinter.h"

#include "core/DomainDoc.h"
#include "export/PrintLayout.h"
#include "export/PrintPages.h"

#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// Every page when no ranges are chosen.
QList<int> PagesToPrint(const CPrintPages& pages, const QPageRanges& ranges)
{
    QList<int> numbers;
    for (int page = 1; page <= pages.PageCount(); ++page) {
        if (ranges.isEmpty() || ranges.contains(page)) {
            numbers.append(page);
        }
    }
    return numbers;
}

} // namespace

CListPrinter::CListPrinter(const CDomainDoc& doc, int printLines, QDate today)
    : m_doc(doc)
    , m_nPrintLines(printLines)
    , m_today(today)
{}

int CListPrinter::PageCount(const QPaintDevice& device) const
{
    return Pages(CPrintLayout(device)).PageCount();
}

std::optional<int> CListPrinter::Print(QPagedPaintDevice& device) const
{
    const CPrintLayout layout(device);
    const CPrintPages pages = Pages(layout);
    const QList<int> numbers = PagesToPrint(pages, device.pageRanges());
    if (numbers.isEmpty()) {
        return 0;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return std::nullopt;
    }
    PaintPages(painter, layout, pages, numbers, [&device] { device.newPage(); });
    if (!painter.end()) {
        return std::nullopt;
    }
    return static_cast<int>(numbers.size());
}

int CListPrinter::Paint(QPainter& painter, const QPageRanges& ranges,
                        const std::function<void()>& newPage) const
{
    const CPrintLayout layout(*painter.device());
    const CPrintPages pages = Pages(layout);
    const QList<int> numbers = PagesToPrint(pages, ranges);
    PaintPages(painter, layout, pages, numbers, newPage);
    return static_cast<int>(numbers.size());
}

CPrintPages CListPrinter::Pages(const CPrintLayout& layout) const
{
    return CPrintPages(m_doc.GetCount(), m_nPrintLines, layout.RowsThatFit());
}

void CListPrinter::PaintPages(QPainter& painter, const CPrintLayout& layout,
                              const CPrintPages& pages, const QList<int>& numbers,
                              const std::function<void()>& newPage) const
{
    for (const int page : numbers) {
        if (page != numbers.first()) {
            newPage();
        }
        layout.PaintPage(painter, page, m_doc, pages.RowsOfPage(page), m_today);
    }
}
