#pragma once

#include <cstdint>

class CDomainView;
class CLookupScheduler;

// What the enabling rules of the commands look at, gathered in one pass over the list.
struct CListFacts {
    int entries = 0;
    bool anyTicked = false;
    bool anyUnticked = false;
    bool anyAvailable = false;
    bool lookupsBusy = false;
    // The highlighted entry, when there is one.
    int current = -1;
    std::uint8_t currentStatus = 0;
    bool currentRunning = false;
    bool currentHasAddress = false;

    static CListFacts Of(const CDomainView& view, const CLookupScheduler& scheduler);
    bool HasCurrent() const { return current >= 0; }
};
