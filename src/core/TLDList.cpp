#include "core/TLDList.h"

#include "core/ByteText.h"
#include "core/DataFolder.h"
#include "core/ObjectArray.h"
#include "core/SaveFile.h"
#include "core/ServerText.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

struct DefaultRow {
    const char* tld;
    const char* server;
    bool useForNew;
};

// Today's servers for the built-in rows. ORG has its own registry server: the com/net server
// answers "No match" for every .org name, so sharing it would report every .org name free.
constexpr DefaultRow kDefaultRows[] = {
    {"COM", "whois.verisign-grs.com", true},   {"NET", "whois.verisign-grs.com", false},
    {"ORG", "whois.pir.org", false},           {"CO.UK", "whois.nic.uk", false},
    {"NET.UK", "whois.nic.uk", false},         {"ORG.UK", "whois.nic.uk", false},
    {"LTD.UK", "whois.nic.uk", false},         {"NU", "whois.iis.nu", false},
    {"CC", "ccwhois.verisign-grs.com", false}, {"COM.AU", "whois.auda.org.au", false},
    {"NET.AU", "whois.auda.org.au", false},    {"HK", "whois.hkirc.hk", false},
};

} // namespace

CFileResult CTLDList::LoadTLDList()
{
    return ReadFile(FilePath());
}

CFileResult CTLDList::SaveTLDList() const
{
    if (!DataFolder::Ensure()) {
        return CFileResult::Failure(
            QStringLiteral("The folder \"%1\" could not be created.").arg(DataFolder::Path()));
    }
    return WriteFile(FilePath());
}

CFileResult CTLDList::ResetTLDList()
{
    QFile::remove(FilePath());
    return LoadTLDList();
}

void CTLDList::ClearTLDList()
{
    m_entries.clear();
}

CFileResult CTLDList::ReadFrom(QIODevice& device)
{
    ClearTLDList();
    CArchiveReader archive(device);
    const auto reserve = [this](std::size_t count) {
        m_entries.reserve(count);
    };
    if (!ObjectArray::Read<CTLDInfo>(archive, reserve,
                                     [this](auto entry) { Append(std::move(entry)); })) {
        return CFileResult::Failure(archive.ErrorText());
    }
    return CFileResult::Success();
}

CFileResult CTLDList::WriteTo(QIODevice& device) const
{
    if (m_entries.size() > ObjectArray::kMaxCount) {
        return CFileResult::Failure(
            QStringLiteral("The TLD table has %1 entries; its file holds at most %2.")
                .arg(m_entries.size())
                .arg(ObjectArray::kMaxCount));
    }
    CArchiveWriter archive(device);
    ObjectArray::Write(archive, m_entries);
    if (!archive.Flush()) {
        return CFileResult::Failure(device.errorString());
    }
    return CFileResult::Success();
}

CFileResult CTLDList::ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ClearTLDList();
        FillDefaults();
        return CFileResult::Success();
    }
    const CFileResult result = ReadFrom(file);
    if (!result.Ok()) {
        return CFileResult::Failure(
            QStringLiteral("The TLD table \"%1\" could not be read completely. %2")
                .arg(path, result.Message()));
    }
    return result;
}

CFileResult CTLDList::WriteFile(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return CFileResult::Failure(
            QStringLiteral("\"%1\" could not be written: %2").arg(path, file.errorString()));
    }
    CFileResult written = WriteTo(file);
    if (written.Ok()) {
        written = SaveFile::Commit(file);
    }
    if (!written.Ok()) {
        return CFileResult::Failure(
            QStringLiteral("\"%1\" could not be written: %2").arg(path, written.Message()));
    }
    return written;
}

void CTLDList::FillDefaults()
{
    for (const DefaultRow& row : kDefaultRows) {
        Append(std::make_unique<CTLDInfo>(row.tld, row.server, row.useForNew));
    }
}

CTLDInfo* CTLDList::FindTLDForName(QByteArrayView name) const
{
    const qsizetype firstDot = name.indexOf('.');
    if (firstDot <= 0) {
        return nullptr;
    }
    if (CTLDInfo* entry = FindTLD(name.sliced(firstDot + 1))) {
        return entry;
    }
    const qsizetype lastDot = name.lastIndexOf('.');
    if (lastDot > 0) {
        return FindTLD(name.sliced(lastDot + 1));
    }
    return nullptr;
}

CTLDInfo* CTLDList::FindTLD(QByteArrayView tld) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [tld](const auto& entry) {
        return ByteText::EqualsNoCase(entry->m_strTLD, tld);
    });
    return found == m_entries.end() ? nullptr : found->get();
}

QByteArray CTLDList::GetServerForName(QByteArrayView name) const
{
    const CTLDInfo* entry = FindTLDForName(name);
    return entry ? entry->m_strServer : QByteArray();
}

QByteArray CTLDList::GetRegistrarURLForName(QByteArrayView name) const
{
    const CTLDInfo* entry = FindTLDForName(name);
    return entry ? entry->m_strRegistrarURL : QByteArray();
}

QByteArray CTLDList::GetTLDForName(QByteArrayView name) const
{
    const CTLDInfo* entry = FindTLDForName(name);
    return entry ? entry->m_strTLD : QByteArray();
}

bool CTLDList::IsLabelByte(char c)
{
    const char folded = ByteText::FoldCase(c);
    return (folded >= 'a' && folded <= 'z') || (folded >= '0' && folded <= '9') || folded == '-';
}

bool CTLDList::IsValidDomainName(QByteArrayView name) const
{
    if (name.size() > kMaxNameLength) {
        return false;
    }
    const qsizetype dot = name.indexOf('.');
    if (dot <= 0) {
        return false;
    }
    const QByteArrayView label = name.first(dot);
    if (label.front() == '-' || label.back() == '-') {
        return false;
    }
    if (!std::all_of(label.begin(), label.end(), IsLabelByte)) {
        return false;
    }
    const QByteArrayView rest = name.sliced(dot + 1);
    if (FindTLD(rest)) {
        return true;
    }
    const qsizetype secondDot = rest.indexOf('.');
    if (secondDot <= 0) {
        return false;
    }
    const QByteArrayView countryCode = rest.sliced(secondDot + 1);
    return countryCode.size() == 2 && FindTLD(countryCode);
}

void CTLDList::AddOrUpdateTLD(QByteArrayView tld, QByteArrayView server)
{
    if (tld.isEmpty() || server.isEmpty()) {
        return;
    }
    if (CTLDInfo* existing = FindTLD(tld)) {
        existing->m_strServer = server.toByteArray();
        return;
    }
    Append(std::make_unique<CTLDInfo>(tld.toByteArray(), server.toByteArray()));
}

void CTLDList::ImportTLDText(QByteArrayView text)
{
    qsizetype lineStart = 0;
    while (lineStart <= text.size()) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n') {
            ++lineEnd;
        }
        const QByteArrayView line = text.sliced(lineStart, lineEnd - lineStart);
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            AddOrUpdateTLD(ByteText::ToUpper(line.first(colon).trimmed()),
                           ServerText::Normalised(line.sliced(colon + 1).trimmed()));
        }
        lineStart = lineEnd + 1;
    }
}

void CTLDList::SortTLDList(int key)
{
    if (key == ByTLDLength) {
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const auto& a, const auto& b) {
            if (a->m_strTLD.size() != b->m_strTLD.size()) {
                return a->m_strTLD.size() < b->m_strTLD.size();
            }
            return ByteText::CompareNoCase(a->m_strTLD, b->m_strTLD) < 0;
        });
    } else if (key == ByServer) {
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const auto& a, const auto& b) {
            return ByteText::CompareNoCase(a->m_strServer, b->m_strServer) < 0;
        });
    }
}

CTLDInfo* CTLDList::GetAt(int index) const
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return m_entries[static_cast<std::size_t>(index)].get();
}

void CTLDList::Append(std::unique_ptr<CTLDInfo> entry)
{
    m_entries.push_back(std::move(entry));
}

void CTLDList::RemoveAt(int index)
{
    if (index >= 0 && index < GetCount()) {
        m_entries.erase(m_entries.begin() + index);
    }
}

QString CTLDList::FilePath()
{
    return DataFolder::FilePath(QStringLiteral("zul.tld"));
}
