#include "core/DomainDoc.h"

#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/ByteText.h"
#include "core/DomainName.h"
#include "core/DomainSort.h"
#include "core/LookupTask.h"
#include "core/ObjectArray.h"
#include "core/SaveFile.h"
#include "core/Settings.h"
#include "core/TLDList.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <span>

#include <algorithm>
#include <chrono>
#include <thread>

void CDomainDoc::WithdrawLookup(int index)
{
    CDomainInfo* entry = EntryAt(index);
    if (!entry) {
        return;
    }
    entry->m_nStatus = entry->m_nPrevStatus;
    entry->m_pLookup.reset();
    Changed(index, index);
}

namespace {

bool ResetIfLookedUp(CDomainInfo& entry)
{
    if (entry.IsLookupRunning() || entry.m_nStatus == STATUS_UNKNOWN ||
        entry.m_nStatus == STATUS_CHECKING) {
        return false;
    }
    entry.m_nStatus = STATUS_UNKNOWN;
    entry.m_strInfo.clear();
    entry.m_timeChecked.SetNull();
    return true;
}

} // namespace

CDomainDoc::CDomainDoc(CTLDList& tlds, StoredStatusRule storedStatusRule, QObject* parent)
    : QObject(parent)
    , m_tlds(tlds)
    , m_storedStatusRule(std::move(storedStatusRule))
{}

CDomainDoc::~CDomainDoc()
{
    ClearList();
}

bool CDomainDoc::AdmitName(QByteArrayView name)
{
    if (GetCount() >= m_nMaxEntries) {
        return false;
    }
    const CNameConversion ascii = DomainName::ToAscii(name.trimmed());
    if (!ascii.Ok() || !m_tlds.IsValidDomainName(ascii.Name()) || FindStoredName(ascii.Name())) {
        return false;
    }
    AppendEntry(std::make_unique<CDomainInfo>(ascii.Name()));
    SetModifiedFlag();
    return true;
}

void CDomainDoc::AnnounceAdmitted()
{
    Q_EMIT ListReset();
}

CDomainInfo* CDomainDoc::LookupName(QByteArrayView name) const
{
    // A name as it is stored comes first: a file may hold names in bytes IDNA would not take.
    const QByteArrayView trimmed = name.trimmed();
    if (CDomainInfo* entry = FindStoredName(trimmed); entry || DomainName::IsAscii(trimmed)) {
        return entry;
    }
    const CNameConversion ascii = DomainName::ToAscii(trimmed);
    return ascii.Ok() ? FindStoredName(ascii.Name()) : nullptr;
}

CDomainInfo* CDomainDoc::FindStoredName(QByteArrayView name) const
{
    const CDomainNameIndex::Match match = m_nameIndex.Find(name);
    if (!match.ambiguous) {
        return match.entry;
    }
    const auto first = std::find_if(m_domains.begin(), m_domains.end(), [name](const auto& e) {
        return ByteText::EqualsNoCase(e->m_strName, name);
    });
    return first->get();
}

bool CDomainDoc::RemoveName(QByteArrayView name)
{
    const CDomainInfo* entry = LookupName(name);
    if (!entry) {
        return false;
    }
    const int row = IndexOf(entry);
    m_nameIndex.Erase(entry);
    m_domains.erase(m_domains.begin() + row);
    SetModifiedFlag();
    Q_EMIT RowRemoved(row);
    return true;
}

int CDomainDoc::RemoveEntries(const EntryTest& matches)
{
    const auto kept = std::stable_partition(m_domains.begin(), m_domains.end(), [&](const auto& e) {
        return e->IsLookupRunning() || !matches(*e);
    });
    const auto removed = static_cast<int>(std::distance(kept, m_domains.end()));
    if (removed == 0) {
        return 0;
    }
    std::for_each(kept, m_domains.end(), [this](const auto& e) { m_nameIndex.Erase(e.get()); });
    m_domains.erase(kept, m_domains.end());
    SetModifiedFlag();
    Q_EMIT ListReset();
    return removed;
}

void CDomainDoc::SetTicked(int index, bool ticked)
{
    CDomainInfo* entry = EntryAt(index);
    if (!entry) {
        return;
    }
    entry->m_bTicked = ticked ? 1 : 0;
    SetModifiedFlag();
    Changed(index, index);
}

void CDomainDoc::ChangeTicks(TickChange change)
{
    for (const auto& entry : m_domains) {
        const bool ticked = change == TickChange::TickAll ||
                            (change == TickChange::Invert && entry->m_bTicked == 0);
        entry->m_bTicked = ticked ? 1 : 0;
    }
    SetModifiedFlag();
    RefreshAll();
}

void CDomainDoc::TickRange(int from, int to, bool untickOthers)
{
    if (to < from) {
        std::swap(from, to);
    }
    for (int i = 0; i < GetCount(); ++i) {
        CDomainInfo& entry = *m_domains[static_cast<std::size_t>(i)];
        if (i >= from - 1 && i <= to - 1) {
            entry.m_bTicked = 1;
        } else if (untickOthers) {
            entry.m_bTicked = 0;
        }
    }
    SetModifiedFlag();
    RefreshAll();
}

void CDomainDoc::SortList(DomainSort::Key key)
{
    DomainSort::Sort(m_domains, key);
    RefreshAll();
}

void CDomainDoc::RefreshAll()
{
    Changed(0, GetCount() - 1);
}

void CDomainDoc::BeginLookup(int index, std::shared_ptr<CLookupTask> lookup)
{
    CDomainInfo* entry = EntryAt(index);
    if (!entry) {
        return;
    }
    entry->m_pLookup = std::move(lookup);
    entry->m_nPrevStatus = entry->m_nStatus;
    entry->m_nStatus = STATUS_CHECKING;
    Changed(index, index);
}

int CDomainDoc::IndexOfLookup(const CLookupTask* lookup) const
{
    const auto found = std::find_if(m_domains.rbegin(), m_domains.rend(), [lookup](const auto& e) {
        return e->m_pLookup.get() == lookup;
    });
    return found == m_domains.rend() ? -1
                                     : static_cast<int>(std::distance(found, m_domains.rend())) - 1;
}

void CDomainDoc::ApplyLookupResult(int index, const CLookupResult& result)
{
    CDomainInfo* entry = EntryAt(index);
    if (!entry) {
        return;
    }
    entry->m_strInfo = result.text;
    entry->m_timeChecked = result.checkedAt;
    entry->m_nStatus = result.status;
    if (!result.address.isEmpty()) {
        entry->m_strDNS = result.address;
    }
    entry->m_pLookup.reset();
    SetModifiedFlag();
    Changed(index, index);
}

bool CDomainDoc::ResetEntry(int index)
{
    CDomainInfo* entry = EntryAt(index);
    if (!entry || !ResetIfLookedUp(*entry)) {
        return false;
    }
    SetModifiedFlag();
    Changed(index, index);
    return true;
}

int CDomainDoc::ResetTicked()
{
    int reset = 0;
    for (const auto& entry : m_domains) {
        if (entry->m_bTicked && ResetIfLookedUp(*entry)) {
            ++reset;
        }
    }
    if (reset > 0) {
        SetModifiedFlag();
        RefreshAll();
    }
    return reset;
}

void CDomainDoc::GetFieldText(int index, int column, QByteArray& text) const
{
    const CDomainInfo* entry = GetAt(index);
    if (!entry) {
        return;
    }
    switch (column) {
    case 0:
        text = QByteArray::number(index + 1);
        break;
    case 1:
        text = DomainName::DisplayForm(entry->m_strName);
        break;
    case 2:
        text = StatusText(entry->m_nStatus);
        break;
    case 3: {
        const QDateTime when = entry->m_timeChecked.ToLocal();
        if (!when.isValid()) {
            text = "-";
            break;
        }
        const QLocale locale;
        text = ByteText::Encode(locale.toString(when.date(), QLocale::ShortFormat) +
                                QStringLiteral(", ") +
                                locale.toString(when.time(), QLocale::ShortFormat));
        break;
    }
    case 4:
        text = entry->m_bTicked ? QByteArrayLiteral("Yes") : QByteArrayLiteral("No");
        break;
    default:
        break;
    }
}

void CDomainDoc::ClearList()
{
    std::vector<std::shared_ptr<CLookupTask>> aborted;
    for (const auto& entry : m_domains) {
        if (entry->m_pLookup) {
            entry->m_pLookup->Abort();
            aborted.push_back(entry->m_pLookup);
        }
    }
    DestroyAll();
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kAbortWaitMs);
    const auto allEnded = [&aborted] {
        return std::all_of(aborted.begin(), aborted.end(),
                           [](const auto& lookup) { return lookup->HasEnded(); });
    };
    while (!allEnded() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

const CDomainInfo* CDomainDoc::GetAt(int index) const
{
    return EntryAt(index);
}

CDomainInfo* CDomainDoc::EntryAt(int index) const
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return m_domains[static_cast<std::size_t>(index)].get();
}

void CDomainDoc::Changed(int first, int last)
{
    if (first <= last) {
        Q_EMIT RowsChanged(first, last);
    }
}

int CDomainDoc::IndexOf(const CDomainInfo* entry) const
{
    const auto found = std::find_if(m_domains.begin(), m_domains.end(),
                                    [entry](const auto& e) { return e.get() == entry; });
    return found == m_domains.end() ? -1 : static_cast<int>(found - m_domains.begin());
}

void CDomainDoc::SetModifiedFlag(bool modified)
{
    if (m_bModified != modified) {
        m_bModified = modified;
        Q_EMIT ModifiedChanged(modified);
    }
}

void CDomainDoc::OnNewDocument()
{
    ClearList();
    m_strPathName.clear();
    SetModifiedFlag(false);
    m_nMaxEntries = GetSetting(Setting::MaxEntries);
    Q_EMIT ListReset();
}

CFileResult CDomainDoc::OnOpenDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return CFileResult::Failure(
            QStringLiteral("The file could not be opened: %1.").arg(file.errorString()));
    }
    const CFileResult result = Read(file);
    m_strPathName = path;
    SetModifiedFlag(false);
    return result;
}

CFileResult CDomainDoc::OnSaveDocument(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return CFileResult::Failure(
            QStringLiteral("The file could not be created: %1.").arg(file.errorString()));
    }
    const CFileResult written = Write(file);
    if (!written.Ok()) {
        file.cancelWriting();
        return written;
    }
    if (const CFileResult committed = SaveFile::Commit(file); !committed.Ok()) {
        return CFileResult::Failure(
            QStringLiteral("The file could not be written: %1.").arg(committed.Message()));
    }
    m_strPathName = path;
    SetModifiedFlag(false);
    return written;
}

CFileResult CDomainDoc::Read(QIODevice& device)
{
    ClearList();
    CArchiveReader archive(device);
    const bool complete = ObjectArray::Read<CDomainInfo>(
        archive, [this](std::size_t count) { Reserve(count); },
        [this](auto entry) { AppendEntry(std::move(entry)); });
    DeriveStoredStatuses();
    Q_EMIT ListReset();
    return complete ? CFileResult::Success() : CFileResult::BrokenOff(archive.ErrorText());
}

CFileResult CDomainDoc::Write(QIODevice& device) const
{
    if (m_domains.size() > ObjectArray::kMaxCount) {
        return CFileResult::Failure(
            QStringLiteral("The list holds %1 entries, but a .zul file holds at most %2. Delete "
                           "some entries, or move them to another list, and save again.")
                .arg(QLocale().toString(GetCount()),
                     QLocale().toString(qint64{ObjectArray::kMaxCount})));
    }
    CArchiveWriter archive(device);
    ObjectArray::Write(archive, m_domains);
    if (!archive.Flush()) {
        return CFileResult::Failure(
            QStringLiteral("The list could not be written: %1").arg(device.errorString()));
    }
    return CFileResult::Success();
}

// Deriving the statuses is half the work of opening a large list; the entries are shared out
// over the processor's cores in a few large slices, as one task per entry would cost more than
// the rule itself for short records.
void CDomainDoc::DeriveStoredStatuses()
{
    constexpr std::size_t kSlicesPerCore = 4;
    const std::size_t sliceCount = std::max<std::size_t>(
        1, kSlicesPerCore * static_cast<std::size_t>(QThread::idealThreadCount()));
    const std::size_t sliceLength = (m_domains.size() + sliceCount - 1) / sliceCount;
    std::vector<std::span<std::unique_ptr<CDomainInfo>>> slices;
    for (std::size_t begin = 0; begin < m_domains.size(); begin += sliceLength) {
        slices.emplace_back(m_domains.data() + begin,
                            std::min(sliceLength, m_domains.size() - begin));
    }
    QtConcurrent::blockingMap(slices, [this](std::span<std::unique_ptr<CDomainInfo>> slice) {
        for (const auto& entry : slice) {
            m_storedStatusRule(*entry);
        }
    });
}

void CDomainDoc::Reserve(std::size_t count)
{
    m_domains.reserve(count);
    m_nameIndex.Reserve(count);
}

void CDomainDoc::AppendEntry(std::unique_ptr<CDomainInfo> entry)
{
    m_nameIndex.Insert(entry.get());
    m_domains.push_back(std::move(entry));
}

void CDomainDoc::DestroyAll()
{
    m_nameIndex.Clear();
    m_domains.clear();
}
