#pragma once

#include "core/DomainDoc.h"
#include "export/HtmlReport.h"

#include <QString>
#include <QTemporaryDir>

class CPostPage;
class CTLDList;
class CWebActionHost;

// The commands that hand a domain to a web site, open the help, and save and show the HTML
// report. The window calls one function per command with the document and its highlighted row
// (-1 for none); the questions and dialogs go back to the window through its host, and pages
// open through CBrowserLauncher.
class CWebActions {
public:
    CWebActions(CWebActionHost& host, CTLDList& tldList);

    // "Browse website" is offered for a highlighted entry that is not available.
    static bool CanBrowseWebsite(const CDomainDoc& doc, int row);
    // "Trademark Lookup" and "NSI Payment Status" are offered for any highlighted entry.
    static bool HasHighlightedEntry(const CDomainDoc& doc, int row);

    void BrowseWebsite(const CDomainDoc& doc, int row);
    // The favourite registrar of the entry's TLD, asked for with the registrar dialog when the TLD
    // has none; remembered in the TLD table when the user wants it.
    void OpenRegistrarPage(const CDomainDoc& doc, int row);
    void LookUpTrademark(const CDomainDoc& doc, int row);
    void CheckPaymentStatus(const CDomainDoc& doc, int row);
    void OpenCustomerSupport();
    void OpenHelpTopics();
    // After the save dialog: remembers its folder, writes the report of the ticked entries and
    // offers to open it.
    void SaveReport(const CDomainDoc& doc, const QString& path, HtmlReport::Kind kind);

private:
    // Posts through a page of the session's page folder; the plain page when that cannot be done.
    void Post(const CPostPage& page, const QUrl& fallback);

    CWebActionHost& m_host;
    CTLDList& m_tldList;
    // The posting pages live as long as the window, long enough for the browser to load them.
    QTemporaryDir m_postPages;
    int m_nPostPages = 0;
};
