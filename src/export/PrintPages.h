#pragma once

// Which entries each printed page holds. A page holds "Print Lines" rows (at least one), or fewer
// when fewer fit on the paper; the rows that do not fit go on to the next page, so every entry is
// printed once, in list order. The page count is the number of entries divided by the rows per
// page, plus one: a list that fills its last page exactly is followed by a page without rows.
class CPrintPages {
public:
    struct Range {
        int first; // 0-based index of the page's first entry
        int end;   // one past its last entry

        bool IsEmpty() const { return first >= end; }
    };

    CPrintPages(int entryCount, int printLines, int rowsThatFit);

    int RowsPerPage() const { return m_nRowsPerPage; }
    int PageCount() const { return m_nEntryCount / m_nRowsPerPage + 1; }
    // The entries of page `page` (1-based); empty outside 1 to PageCount().
    Range RowsOfPage(int page) const;

private:
    int m_nEntryCount;
    int m_nRowsPerPage;
};
