#pragma once

#include <QString>

class CDomainDoc;

// The counts the status line summarises.
struct CListCounts {
    int entries = 0;
    int ticked = 0;
    int taken = 0;
    int available = 0;

    static CListCounts Of(const CDomainDoc& doc);
};

// The one-line status under the list: a hint for what to do next, then
// "[%d Domains, %d checked, %d available, %d taken]"; for an empty list only the hint.
QString StatusLineText(const CListCounts& counts, bool busy, bool noServerResolved);
// The bracketed summary alone.
QString SummaryText(const CListCounts& counts);
