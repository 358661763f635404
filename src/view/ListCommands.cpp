#include "view/ListCommands.h"

#include "core/ByteText.h"
#include "core/ComboHistory.h"
#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "view/DomainView.h"
#include "view/FindDialog.h"
#include "view/SelectRangeDialog.h"
#include "view/UserPrompt.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

CListFacts CListFacts::Of(const CDomainView& view)
{
    CListFacts facts;
    const CDomainDoc& doc = view.GetDocument();
    facts.entries = doc.GetCount();
    for (const auto& entry : doc.GetEntries()) {
        facts.anyTicked = facts.anyTicked || entry->m_bSelected;
        facts.anyUnticked = facts.anyUnticked || !entry->m_bSelected;
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

CListCommands::CListCommands(CDomainView& view, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_doc(view.GetDocument())
{}

template <typename Change>
void CListCommands::ChangeTicks(Change change)
{
    for (const auto& entry : m_doc.GetEntries()) {
        entry->m_bSelected = change(entry->m_bSelected != 0) ? 1 : 0;
    }
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews(CDomainDoc::HintRefreshAll);
}

void CListCommands::SelectAll()
{
    ChangeTicks([](bool) { return true; });
}

void CListCommands::UnselectAll()
{
    ChangeTicks([](bool) { return false; });
}

void CListCommands::InvertSelection()
{
    ChangeTicks([](bool ticked) { return !ticked; });
}

void CListCommands::SelectRange()
{
    CSelectRangeDialog dialog(&m_view);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    int from = std::max(0, dialog.GetFrom());
    int to = std::max(0, dialog.GetTo());
    if (to < from) {
        std::swap(from, to);
    }
    TickRange(m_doc, from, to, dialog.GetUnselectOthers());
    SetSetting(Setting::RangeFrom, from);
    SetSetting(Setting::RangeTo, to);
    SetSetting(Setting::UnselectOthers, dialog.GetUnselectOthers() ? 1 : 0);
}

void CListCommands::TickRange(CDomainDoc& doc, int from, int to, bool untickOthers)
{
    if (to < from) {
        std::swap(from, to);
    }
    for (int i = 0; i < doc.GetCount(); ++i) {
        CDomainInfo& entry = *doc.GetAt(i);
        if (i >= from - 1 && i <= to - 1) {
            entry.m_bSelected = 1;
        } else if (untickOthers) {
            entry.m_bSelected = 0;
        }
    }
    doc.SetModifiedFlag();
    doc.UpdateAllViews(CDomainDoc::HintRefreshAll);
}

void CListCommands::SortByName()
{
    m_doc.SortList(1);
}

void CListCommands::SortByStatus()
{
    m_doc.SortList(2);
}

void CListCommands::Find()
{
    CFindDialog dialog(&m_view);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString text = dialog.GetText();
    SaveComboHistory(LoadComboHistory(QLatin1String(Setting::FindHistory)), text,
                     QLatin1String(Setting::FindHistory));
    const int found = FindEntry(m_doc, ByteText::Encode(text));
    if (found >= 0) {
        m_view.SelectRow(found);
    }
    SetSetting(Setting::FindDomain, text);
}

int CListCommands::FindEntry(const CDomainDoc& doc, QByteArrayView text)
{
    const auto& entries = doc.GetEntries();
    auto found = std::find_if(entries.begin(), entries.end(), [text](const auto& entry) {
        return ByteText::EqualsNoCase(entry->m_strName, text);
    });
    if (found == entries.end()) {
        found = std::find_if(entries.begin(), entries.end(), [text](const auto& entry) {
            return ByteText::StartsWithNoCase(entry->m_strName, text);
        });
    }
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

void CListCommands::Refresh()
{
    m_doc.UpdateAllViews(CDomainDoc::HintRefreshAll);
}

void CListCommands::DeleteSelected()
{
    DeleteAfterQuestion(
        QStringLiteral("This will delete all selected entries from the list.\r\n\r\nAre you sure?"),
        [](const CDomainInfo& entry) { return entry.m_bSelected != 0; });
}

void CListCommands::DeleteAll()
{
    DeleteAfterQuestion(
        QStringLiteral("This will delete %1 entries from the list.\r\n\r\nAre you sure?")
            .arg(m_doc.GetCount()),
        [](const CDomainInfo&) { return true; });
}

void CListCommands::DeleteRegistered()
{
    DeleteAfterQuestion(QStringLiteral("This will delete all registered domain names from the "
                                       "list.\r\n\r\nAre you sure?"),
                        [](const CDomainInfo& entry) { return entry.m_nStatus == STATUS_TAKEN; });
}

void CListCommands::DeleteFree()
{
    DeleteAfterQuestion(
        QStringLiteral("This will delete all unregistered domain names from the "
                       "list.\r\n\r\nAre you sure?"),
        [](const CDomainInfo& entry) { return entry.m_nStatus == STATUS_AVAILABLE; });
}

void CListCommands::DeleteAfterQuestion(const QString& question,
                                        bool (*matches)(const CDomainInfo&))
{
    if (m_doc.GetCount() == 0 || CUserPrompt::Question(&m_view, question) != QMessageBox::Yes) {
        return;
    }
    m_doc.RemoveEntries(matches);
}

void CListCommands::DeleteEntry()
{
    const CDomainInfo* current = m_doc.GetAt(m_view.GetCurrentIndex());
    if (!current || current->m_nStatus == STATUS_CHECKING) {
        return;
    }
    // The list removes the first entry of that name; the view removes the same row.
    const QByteArray name = current->m_strName;
    const int removed = m_doc.IndexOf(m_doc.LookupName(name));
    if (m_doc.RemoveName(name)) {
        m_doc.UpdateAllViews(CDomainDoc::HintRowDeleted, removed);
    }
}

void CListCommands::CopyAllEntries()
{
    QByteArray text;
    for (const auto& entry : m_doc.GetEntries()) {
        text += entry->m_strName + "\r\n";
    }
    CopyToClipboard(text);
}

void CListCommands::CopySelectedEntries()
{
    QByteArray text;
    for (const auto& entry : m_doc.GetEntries()) {
        if (entry->m_bSelected) {
            text += entry->m_strName + "\r\n";
        }
    }
    CopyToClipboard(text);
}

void CListCommands::CopyDomainName()
{
    if (const CDomainInfo* current = m_doc.GetAt(m_view.GetCurrentIndex())) {
        CopyToClipboard(current->m_strName);
    }
}

void CListCommands::CopyDomainAddress()
{
    if (const CDomainInfo* current = m_doc.GetAt(m_view.GetCurrentIndex())) {
        CopyToClipboard(current->m_strDNS);
    }
}

void CListCommands::CopyDomainInformation()
{
    if (const CDomainInfo* current = m_doc.GetAt(m_view.GetCurrentIndex())) {
        CopyToClipboard(current->m_strInfo);
    }
}

void CListCommands::CopyDomainURL()
{
    if (const CDomainInfo* current = m_doc.GetAt(m_view.GetCurrentIndex())) {
        CopyToClipboard("http://www." + current->m_strName);
    }
}

void CListCommands::CheckDomain()
{
    const int index = m_view.GetCurrentIndex();
    if (index >= 0) {
        m_view.GetScheduler().CheckDomain(index);
    }
}

void CListCommands::CheckAllSelected()
{
    m_view.GetScheduler().CheckAllSelected();
    Q_EMIT LookupAllStarted();
}

void CListCommands::ResetSelected()
{
    m_view.GetScheduler().ResetSelected();
}

void CListCommands::ResetEntry()
{
    m_view.GetScheduler().ResetEntry(m_view.GetCurrentIndex());
}

void CListCommands::StopLookup()
{
    m_view.GetScheduler().StopLookup(m_view.GetCurrentIndex());
}

void CListCommands::StopAll()
{
    m_view.GetScheduler().StopAll();
}

void CListCommands::CopyToClipboard(const QByteArray& text)
{
    QGuiApplication::clipboard()->setText(ByteText::Decode(text));
}
