#include "lookup/StatusLine.h"

#include "core/DomainDoc.h"

CListCounts CListCounts::Of(const CDomainDoc& doc, CDnsTally dns)
{
    CListCounts counts;
    counts.dns = dns;
    counts.entries = doc.GetCount();
    for (const auto& entry : doc.GetEntries()) {
        counts.ticked += entry->m_bTicked ? 1 : 0;
        counts.taken += entry->m_nStatus == STATUS_TAKEN ? 1 : 0;
        counts.available += entry->m_nStatus == STATUS_AVAILABLE ? 1 : 0;
    }
    return counts;
}

QString SummaryText(const CListCounts& counts)
{
    QString text = QStringLiteral("[%1 Domains, %2 checked, %3 available, %4 taken]")
                       .arg(counts.entries)
                       .arg(counts.available + counts.taken)
                       .arg(counts.available)
                       .arg(counts.taken);
    if (const QString dns = DnsTallyText(counts.dns); !dns.isEmpty()) {
        text += QStringLiteral(", ") + dns;
    }
    return text;
}

QString ServerWaitText(const CServerWait& wait)
{
    QString how;
    if (wait.resumesIn) {
        const auto seconds = wait.resumesIn->count();
        how = seconds < 120 ? QStringLiteral("resumes in %1 s").arg(seconds)
                            : QStringLiteral("resumes in %1 min").arg((seconds + 59) / 60);
    } else if (wait.rate >= 1) {
        how = QStringLiteral("%1 queries a second").arg(wait.rate, 0, 'f', 1);
    } else {
        how = QStringLiteral("%1 queries a minute").arg(wait.rate * 60, 0, 'f', 1);
    }
    return QStringLiteral("waiting for %1 (asked to slow down, %2)")
        .arg(QString::fromUtf8(wait.server), how);
}

QString StatusLineText(const CListCounts& counts, bool busy, bool noServerResolved,
                       const std::optional<CServerWait>& wait)
{
    if (counts.entries == 0) {
        return QStringLiteral("Use the 'Add Names' option to add domain names to the list. You "
                              "can also create domain names from your keywords using the "
                              "'Construct domain names' option.");
    }
    QString hint;
    if (busy && noServerResolved) {
        hint = QStringLiteral("Locating Whois server. Click on the 'Stop All' button to stop. ");
    } else if (busy && wait) {
        hint = QStringLiteral("Communicating with the Whois server, %1. Click on the 'Stop All' "
                              "button to stop. ")
                   .arg(ServerWaitText(*wait));
    } else if (busy) {
        hint = QStringLiteral(
            "Communicating with the Whois server. Click on the 'Stop All' button to stop. ");
    } else if (counts.ticked > 0) {
        hint = QStringLiteral("Use the 'Lookup Selected' option to lookup the selected domain "
                              "names for availability. ");
    } else if (counts.entries < 4) {
        hint = QStringLiteral("Right click on a domain name and choose 'Check availability' to "
                              "check if the domain is available. ");
    } else {
        hint = QStringLiteral("Select the domains you want to lookup by clicking on the check "
                              "boxes to the left of each name. ");
    }
    return hint + SummaryText(counts);
}
