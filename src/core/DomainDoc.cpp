#include "core/DomainDoc.h"

#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/ByteText.h"
#include "core/DomainSort.h"
#include "core/LookupTask.h"
#include "core/ObjectArray.h"
#include "core/SaveFile.h"
#include "core/Settings.h"
#include "core/StripOutput.h"
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

CDomainDoc::CDomainDoc(StoredStatusRule storedStatusRule, QObject* parent)
    : QObject(parent)
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
    const QByteArrayView trimmed = name.trimmed();
    if (!g_TLDList.IsValidDomainName(trimmed) || LookupName(trimmed)) {
        return false;
    }
    Append(std::make_unique<CDomainInfo>(trimmed.toByteArray()));
    SetModifiedFlag();
    return true;
}

CDomainInfo* CDomainDoc::LookupName(QByteArrayView name) const
{
    const QByteArrayView trimmed = name.trimmed();
    const CDomainNameIndex::Match match = m_nameIndex.Find(trimmed);
    if (!match.ambiguous) {
        return match.entry;
    }
    const auto first = std::find_if(m_domains.begin(), m_domains.end(), [trimmed](const auto& e) {
        return ByteText::EqualsNoCase(e->m_strName, trimmed);
    });
    return first->get();
}

bool CDomainDoc::RemoveName(QByteArrayView name)
{
    const CDomainInfo* entry = LookupName(name);
    if (!entry) {
        return false;
    }
    m_nameIndex.Erase(entry);
    m_domains.erase(m_domains.begin() + IndexOf(entry));
    SetModifiedFlag();
    return true;
}

int CDomainDoc::RemoveEntries(const std::function<bool(const CDomainInfo&)>& matches)
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
    UpdateAllViews(HintRebuild);
    return removed;
}

void CDomainDoc::SetSelected(int index, bool selected)
{
    CDomainInfo* entry = GetAt(index);
    if (!entry) {
        return;
    }
    entry->m_bSelected = selected ? 1 : 0;
    SetModifiedFlag();
    UpdateAllViews(index + 1);
}

void CDomainDoc::SortList(int key)
{
    DomainSort::Sort(m_domains, key);
    UpdateAllViews(HintRefreshAll);
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
        text = entry->m_strName;
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
        text = entry->m_bSelected ? QByteArrayLiteral("Yes") : QByteArrayLiteral("No");
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

CDomainInfo* CDomainDoc::GetAt(int index) const
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return m_domains[static_cast<std::size_t>(index)].get();
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
    g_bStripOutput = GetSetting(Setting::StripOutput) != 0;
    UpdateAllViews(HintRebuild);
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
        [this](auto entry) { Append(std::move(entry)); });
    DeriveStoredStatuses();
    UpdateAllViews(HintRebuild);
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

void CDomainDoc::UpdateAllViews(int hint, int row)
{
    Q_EMIT Updated(hint, row);
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

void CDomainDoc::Append(std::unique_ptr<CDomainInfo> entry)
{
    m_nameIndex.Insert(entry.get());
    m_domains.push_back(std::move(entry));
}

void CDomainDoc::DestroyAll()
{
    m_nameIndex.Clear();
    m_domains.clear();
}
