#pragma once

#include "lookup/ServerBrake.h"

#include <QString>

#include <optional>

class CDomainDoc;

// The counts the status line summarises.
struct CListCounts {
    int entries = 0;
    int ticked = 0;
    int taken = 0;
    int available = 0;

    static CListCounts Of(const CDomainDoc& doc);
};

// The one-line status under the list: a hint for what to do next (naming the server lookups wait
// for, if any), then "[%d Domains, %d checked, %d available, %d taken]"; for an empty list only
// the hint.
QString StatusLineText(const CListCounts& counts, bool busy, bool noServerResolved,
                       const std::optional<CServerWait>& wait = std::nullopt);
// "waiting for whois.example.net (asked to slow down, resumes in 40 s)".
QString ServerWaitText(const CServerWait& wait);
// The bracketed summary alone.
QString SummaryText(const CListCounts& counts);
