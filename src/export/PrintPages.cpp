#include "export/PrintPages.h"

#include <algorithm>

CPrintPages::CPrintPages(int entryCount, int printLines, int rowsThatFit)
    : m_nEntryCount(std::max(0, entryCount))
    , m_nRowsPerPage(std::max(1, std::min(printLines, rowsThatFit)))
{}

CPrintPages::Range CPrintPages::RowsOfPage(int page) const
{
    if (page < 1 || page > PageCount()) {
        return {0, 0};
    }
    const int first = (page - 1) * m_nRowsPerPage;
    return {first, first + std::min(m_nRowsPerPage, m_nEntryCount - first)};
}
