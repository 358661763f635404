#pragma once

#include "core/DateTimeValue.h"

#include <QByteArray>

#include <cstdint>
#include <memory>

class CArchiveReader;
class CArchiveWriter;
class CLookupTask;

enum DomainStatus : std::uint8_t {
    STATUS_UNKNOWN = 0,
    STATUS_CHECKING = 1,
    STATUS_TAKEN = 2,
    STATUS_AVAILABLE = 3,
    STATUS_TOO_MANY_ERRORS = 4,
    STATUS_ERROR_1 = 5,
    STATUS_ERROR_2 = 6,
    STATUS_ERROR_3 = 7,
    STATUS_ERROR_4 = 8,
};

// One entry of the domain list.
class CDomainInfo {
public:
    static constexpr char kClassName[] = "CDomainInfo";
    static constexpr std::uint16_t kSchema = 1;
    // The least an entry takes in a file: its tag, two empty strings, the time and the tick.
    static constexpr std::int64_t kMinStoredBytes = 2 + 1 + 1 + 4 + 8 + 1;

    CDomainInfo() = default;
    explicit CDomainInfo(QByteArray name)
        : m_strName(std::move(name))
    {}

    // The name as stored in a document: the name followed by "~" and the address text, the
    // "@1"/"@2" marker and the "!" number, each only when present.
    QByteArray GetStoredName() const;
    void SetStoredName(QByteArray stored);

    void Serialize(CArchiveWriter& archive) const;
    void Serialize(CArchiveReader& archive);

    // The worker marker: a lookup is running for this entry.
    bool IsLookupRunning() const { return m_pLookup != nullptr; }
    bool IsChecked() const { return m_nStatus == STATUS_TAKEN || m_nStatus == STATUS_AVAILABLE; }

    QByteArray m_strName;
    // The cleaned WHOIS answer of the last lookup or the error message of a failed one.
    QByteArray m_strInfo;
    DateTimeValue m_timeChecked;
    // Address text of a taken domain: from a stored document, or found when DNS showed the name
    // delegated.
    QByteArray m_strDNS;
    // The lookup running for this entry, if any. Shared with the worker, so an entry can leave
    // the list while its worker finishes on its own.
    std::shared_ptr<CLookupTask> m_pLookup;
    std::int32_t m_nSuffixNumber = 0;
    // Kept as the byte read so that loading and saving never alters a stored entry.
    std::uint8_t m_bTicked = 0;
    std::uint8_t m_nStatus = STATUS_UNKNOWN;
    std::uint8_t m_nPrevStatus = STATUS_UNKNOWN;
    std::uint8_t m_nSuffixMarker = 0;
};

// The status as the list, the text export and the database export word it.
QByteArray StatusText(std::uint8_t status);
// The status as printouts word it: a taken entry shows its address text when it has one.
QByteArray PrintStatusText(const CDomainInfo& entry);
