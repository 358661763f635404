#pragma once

#include "core/DomainDoc.h"

#include <algorithm>

// Admits the name as typed and ticks it, for a batch to look up; false when it is refused.
inline bool AdmitTicked(CDomainDoc& doc, const QByteArray& name)
{
    if (!doc.AdmitName(name)) {
        return false;
    }
    doc.SetTicked(doc.GetCount() - 1, true);
    return true;
}

// How many of the list's entries have a lookup running.
inline int RunningLookups(const CDomainDoc& doc)
{
    const auto& entries = doc.GetEntries();
    return static_cast<int>(std::count_if(entries.begin(), entries.end(), [](const auto& entry) {
        return entry->IsLookupRunning();
    }));
}
