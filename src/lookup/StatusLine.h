#pragma once

#include "lookup/DnsTally.h"
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
    // What asking DNS first spared the registries; the list does not know it, the scheduler does.
    CDnsTally dns{};

    static CListCounts Of(const CDomainDoc& doc, CDnsTally dns = {});
};

// The one-line status under the list: a hint for what to do next (naming the server lookups wait
// for, if any), then "[%d Domains, %d checked, %d available, %d taken]" and, once lookups asked
// DNS first, what that saved; for an empty list only the hint.
QString StatusLineText(const CListCounts& counts, bool busy, bool noServerResolved,
                       const std::optional<CServerWait>& wait = std::nullopt);
// "waiting for whois.example.net (asked to slow down, resumes in 40 s)".
QString ServerWaitText(const CServerWait& wait);
// The summary alone: the bracketed counts and what DNS saved.
QString SummaryText(const CListCounts& counts);
