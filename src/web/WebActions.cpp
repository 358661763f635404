#include "web/WebActions.h"

#include "core/ByteText.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "web/BrowserLauncher.h"
#include "web/HelpPages.h"
#include "web/PaymentQuestion.h"
#include "web/WebActionHost.h"
#include "web/WebRequests.h"

namespace {

const CDomainInfo* HighlightedEntry(const CDomainDoc& doc, int row)
{
    return row >= 0 && row < doc.GetCount() ? doc.GetAt(row) : nullptr;
}

// The dialog's heading: the TLD of the table the name falls under, else the text after its last
// dot.
QString TLDHeading(const CTLDInfo* tld, QByteArrayView name)
{
    if (tld) {
        return ByteText::Decode(tld->m_strTLD);
    }
    return ByteText::Decode(ByteText::ToUpper(name.sliced(name.lastIndexOf('.') + 1)));
}

} // namespace

CWebActions::CWebActions(CWebActionHost& host, CTLDList& tldList)
    : m_host(host)
    , m_tldList(tldList)
{}

bool CWebActions::CanBrowseWebsite(const CDomainDoc& doc, int row)
{
    const CDomainInfo* entry = HighlightedEntry(doc, row);
    return entry && entry->m_nStatus != STATUS_AVAILABLE;
}

bool CWebActions::HasHighlightedEntry(const CDomainDoc& doc, int row)
{
    return HighlightedEntry(doc, row) != nullptr;
}

void CWebActions::BrowseWebsite(const CDomainDoc& doc, int row)
{
    const CDomainInfo* entry = HighlightedEntry(doc, row);
    if (!entry) {
        return;
    }
    if (const std::optional<QUrl> website = WebRequest::Website(entry->m_strName)) {
        CBrowserLauncher::Open(*website);
        return;
    }
    m_host.Ask(CPrompt::Message(WebRequest::NoWebsiteMessage(entry->m_strName)));
}

void CWebActions::OpenRegistrarPage(const CDomainDoc& doc, int row)
{
    const CDomainInfo* entry = HighlightedEntry(doc, row);
    if (!entry) {
        m_host.Ask(CPrompt::Message(
            doc.GetCount() > 0
                ? QStringLiteral("Please select a domain from the list")
                : QStringLiteral("The list is empty.\r\nUse the 'Add Names' option to add domain "
                                 "names to the list. You can also create domain names from your "
                                 "keywords using the 'Construct domain names' option.")));
        return;
    }
    if (entry->m_nStatus == STATUS_TAKEN &&
        m_host.Ask(CPrompt::Question(QStringLiteral(
            "This domain appears to be registered.\r\nContinue?"))) != PromptAnswer::Yes) {
        return;
    }
    CTLDInfo* tld = m_tldList.FindTLDForName(entry->m_strName);
    QByteArray address = tld ? tld->m_strRegistrarURL : QByteArray();
    if (address.isEmpty()) {
        const std::optional<CRegistrarChoice> choice = m_host.AskRegistrarURL(
            {TLDHeading(tld, entry->m_strName), GetSetting(Setting::SaveRegistrarURL) != 0});
        if (!choice) {
            return;
        }
        SetSetting(Setting::SaveRegistrarURL, choice->remember ? 1 : 0);
        address = ByteText::Encode(choice->url);
        if (choice->remember && tld && !address.isEmpty()) {
            tld->m_strRegistrarURL = address;
            // A table that cannot be saved keeps the address for this run; nothing is reported.
            m_tldList.SaveTLDList();
        }
    }
    if (!address.isEmpty()) {
        CBrowserLauncher::Open(WebRequest::Registrar(address, entry->m_strName));
    }
}

void CWebActions::LookUpTrademark(const CDomainDoc& doc, int row)
{
    if (const CDomainInfo* entry = HighlightedEntry(doc, row)) {
        Post(WebRequest::TrademarkSearch(entry->m_strName), WebRequest::TrademarkSearchPage());
    }
}

void CWebActions::CheckPaymentStatus(const CDomainDoc& doc, int row)
{
    const CDomainInfo* entry = HighlightedEntry(doc, row);
    if (!entry) {
        return;
    }
    const std::optional<CPrompt> question = PaymentStatusQuestion(*entry);
    if (question && m_host.Ask(*question) != PromptAnswer::Yes) {
        return;
    }
    Post(WebRequest::PaymentStatus(entry->m_strName), WebRequest::PaymentStatusFallback());
}

void CWebActions::OpenCustomerSupport()
{
    CBrowserLauncher::Open(WebRequest::CustomerSupport());
}

void CWebActions::OpenHelpTopics()
{
    const QStringList folders = HelpPages::CandidateFolders();
    const QString contents = HelpPages::FindContentsPage(folders);
    if (contents.isEmpty()) {
        m_host.Ask(
            CPrompt::Message(QStringLiteral("The help pages were not found. They belong in %1.")
                                 .arg(folders.first())));
        return;
    }
    CBrowserLauncher::Open(QUrl::fromLocalFile(contents));
}

void CWebActions::SaveReport(const CDomainDoc& doc, const QString& path, HtmlReport::Kind kind)
{
    HtmlReport::FileChoice().Remember(path);
    const CFileResult written = HtmlReport::Write(doc.GetEntries(), path, kind);
    if (!written.Ok()) {
        m_host.Ask(CPrompt::Message(written.Message()));
        return;
    }
    if (m_host.Ask(CPrompt::Question(HtmlReport::SavedQuestion(path))) == PromptAnswer::Yes) {
        CBrowserLauncher::Open(QUrl::fromLocalFile(path));
    }
}

void CWebActions::Post(const CPostPage& page, const QUrl& fallback)
{
    const QString path = m_postPages.filePath(QStringLiteral("request-%1.htm").arg(++m_nPostPages));
    if (!m_postPages.isValid() || !page.Open(path)) {
        CBrowserLauncher::Open(fallback);
    }
}
