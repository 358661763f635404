#include "view/ListFacts.h"

#include "core/DomainDoc.h"
#include "lookup/LookupScheduler.h"
#include "view/DomainView.h"

CListFacts CListFacts::Of(const CDomainView& view, const CLookupScheduler& scheduler)
{
    CListFacts facts;
    facts.lookupsBusy = scheduler.IsBusy();
    const CDomainDoc& doc = view.GetDocument();
    facts.entries = doc.GetCount();
    for (const auto& entry : doc.GetEntries()) {
        facts.anyTicked = facts.anyTicked || entry->m_bTicked;
        facts.anyUnticked = facts.anyUnticked || !entry->m_bTicked;
        facts.anyAvailable = facts.anyAvailable || entry->m_nStatus == STATUS_AVAILABLE;
    }
    facts.current = view.GetCurrentIndex();
    if (const CDomainInfo* current = doc.GetAt(facts.current)) {
        facts.currentStatus = current->m_nStatus;
        facts.currentRunning = current->IsLookupRunning();
        facts.currentHasAddress = !current->m_strDNS.isEmpty() && current->m_strDNS != "Error";
    }
    return facts;
}
