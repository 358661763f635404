#include "view/ListCommands.h"

#include "core/ByteText.h"
#include "core/ComboHistory.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "core/Settings.h"
#include "lookup/LookupScheduler.h"
#include "view/DomainView.h"
#include "view/FindDialog.h"
#include "view/SelectRangeDialog.h"
#include "view/UserPrompt.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

CListCommands::CListCommands(CDomainView& view, CLookupScheduler& scheduler, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_doc(view.GetDocument())
    , m_scheduler(scheduler)
{}

void CListCommands::TickAll()
{
    m_doc.ChangeTicks(CDomainDoc::TickChange::TickAll);
}

void CListCommands::UntickAll()
{
    m_doc.ChangeTicks(CDomainDoc::TickChange::UntickAll);
}

void CListCommands::InvertTicks()
{
    m_doc.ChangeTicks(CDomainDoc::TickChange::Invert);
}

void CListCommands::TickRange()
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
    m_doc.TickRange(from, to, dialog.GetUnselectOthers());
    SetSetting(Setting::RangeFrom, from);
    SetSetting(Setting::RangeTo, to);
    SetSetting(Setting::UnselectOthers, dialog.GetUnselectOthers() ? 1 : 0);
}

void CListCommands::SortByName()
{
    m_doc.SortList(DomainSort::Key::ByName);
}

void CListCommands::SortByStatus()
{
    m_doc.SortList(DomainSort::Key::ByStatus);
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
    // A whole name typed in Unicode is found by its A-label; the beginning of one, among the
    // names as the list shows them.
    const CNameConversion ascii = DomainName::ToAscii(text);
    const QByteArrayView asciiText = ascii.Ok() ? QByteArrayView(ascii.Name()) : text;
    const QString shownText = ByteText::Decode(text).normalized(QString::NormalizationForm_C);
    const auto& entries = doc.GetEntries();
    auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
        return ByteText::EqualsNoCase(entry->m_strName, text) ||
               ByteText::EqualsNoCase(entry->m_strName, asciiText);
    });
    if (found == entries.end()) {
        found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
            return ByteText::StartsWithNoCase(entry->m_strName, text) ||
                   (DomainName::HasALabel(entry->m_strName) &&
                    ByteText::Decode(DomainName::DisplayForm(entry->m_strName))
                        .startsWith(shownText, Qt::CaseInsensitive));
        });
    }
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

void CListCommands::Refresh()
{
    m_doc.RefreshAll();
}

void CListCommands::DeleteSelected()
{
    DeleteAfterQuestion(
        QStringLiteral("This will delete all selected entries from the list.\r\n\r\nAre you sure?"),
        [](const CDomainInfo& entry) { return entry.m_bTicked != 0; });
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
    // The list removes the first entry of that name.
    m_doc.RemoveName(QByteArray(current->m_strName));
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
        if (entry->m_bTicked) {
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
        m_scheduler.CheckDomain(index);
    }
}

void CListCommands::CheckAllSelected()
{
    m_scheduler.CheckAllSelected();
    Q_EMIT LookupAllStarted();
}

void CListCommands::ResetTicked()
{
    m_doc.ResetTicked();
}

void CListCommands::ResetEntry()
{
    m_doc.ResetEntry(m_view.GetCurrentIndex());
}

void CListCommands::StopLookup()
{
    m_scheduler.StopLookup(m_view.GetCurrentIndex());
}

void CListCommands::StopAll()
{
    m_scheduler.StopAll();
}

void CListCommands::CopyToClipboard(const QByteArray& text)
{
    QGuiApplication::clipboard()->setText(ByteText::Decode(text));
}
