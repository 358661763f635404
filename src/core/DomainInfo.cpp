#include "core/DomainInfo.h"

#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

#include <algorithm>
#include <limits>

namespace {

// The leading decimal number of a text, as atoi reads it (a sign, then digits; nothing that
// reads as a number gives 0), saturated to the 32-bit range.
std::int32_t LeadingNumber(QByteArrayView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = std::min(kLimit, value * 10 + (text[pos] - '0'));
    }
    if (negative) {
        return static_cast<std::int32_t>(-value);
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, kLimit - 1));
}

} // namespace

QByteArray CDomainInfo::GetStoredName() const
{
    QByteArray stored = m_strName;
    if (!m_strDNS.isEmpty()) {
        stored += '~' + m_strDNS;
    }
    if (m_nSuffixMarker == 1) {
        stored += "@1";
    } else if (m_nSuffixMarker == 2) {
        stored += "@2";
    }
    if (m_nSuffixNumber > 0) {
        stored += '!' + QByteArray::number(m_nSuffixNumber);
    }
    return stored;
}

void CDomainInfo::SetStoredName(QByteArray stored)
{
    m_nSuffixNumber = 0;
    if (stored.contains("@1")) {
        m_nSuffixMarker = 1;
        stored.replace("@1", "");
    } else if (stored.contains("@2")) {
        m_nSuffixMarker = 2;
        stored.replace("@2", "");
    } else {
        m_nSuffixMarker = 0;
    }
    if (const qsizetype bang = stored.indexOf('!'); bang >= 0) {
        m_nSuffixNumber = LeadingNumber(QByteArrayView(stored).sliced(bang + 1));
        stored.truncate(bang);
    }
    m_strDNS.clear();
    if (const qsizetype tilde = stored.indexOf('~'); tilde >= 0) {
        m_strDNS = stored.sliced(tilde + 1);
        stored.truncate(tilde);
    }
    m_strName = std::move(stored);
}

void CDomainInfo::Serialize(CArchiveWriter& archive) const
{
    archive.WriteString(GetStoredName());
    archive.WriteString(m_strInfo);
    archive.WriteInt32(m_timeChecked.GetStatus());
    archive.WriteDouble(m_timeChecked.GetDays());
    archive.WriteByte(m_bTicked);
}

void CDomainInfo::Serialize(CArchiveReader& archive)
{
    QByteArray stored = archive.ReadString();
    m_strInfo = archive.ReadString();
    const std::int32_t timeStatus = archive.ReadInt32();
    const double days = archive.ReadDouble();
    m_timeChecked = DateTimeValue(timeStatus, days);
    m_bTicked = archive.ReadByte();
    SetStoredName(std::move(stored));
}

QByteArray StatusText(std::uint8_t status)
{
    switch (status) {
    case STATUS_UNKNOWN:
        return QByteArrayLiteral("Unknown");
    case STATUS_CHECKING:
        return QByteArrayLiteral("Checking");
    case STATUS_TAKEN:
        return QByteArrayLiteral("Not Available");
    case STATUS_AVAILABLE:
        return QByteArrayLiteral("*AVAILABLE*");
    case STATUS_TOO_MANY_ERRORS:
        return QByteArrayLiteral("Too many errors");
    default:
        return QByteArrayLiteral("Error");
    }
}

QByteArray PrintStatusText(const CDomainInfo& entry)
{
    if (entry.m_nStatus != STATUS_TAKEN) {
        return StatusText(entry.m_nStatus);
    }
    if (entry.m_strDNS.isEmpty()) {
        return QByteArrayLiteral("Taken");
    }
    return "Taken [DNS: " + entry.m_strDNS + ']';
}
