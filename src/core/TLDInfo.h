#pragma once

#include "core/HostRecord.h"

#include <QByteArray>

#include <cstdint>
#include <memory>

class CArchiveReader;
class CArchiveWriter;

// One row of the TLD table: a top-level domain (or registry zone such as CO.UK) and the WHOIS
// server that answers for names under it.
class CTLDInfo {
public:
    static constexpr char kClassName[] = "CTLDInfo";
    static constexpr std::uint16_t kSchema = 1;
    // The least an entry takes in a file: its tag, three empty strings and the flag.
    static constexpr std::int64_t kMinStoredBytes = 2 + 1 + 1 + 1 + 1;

    CTLDInfo() = default;
    CTLDInfo(const CTLDInfo&) = delete;
    CTLDInfo& operator=(const CTLDInfo&) = delete;
    // An entry leaving the table cancels its pending resolution and releases waiting lookups.
    ~CTLDInfo();
    CTLDInfo(QByteArray tld, QByteArray server, bool useForNew = false)
        : m_strTLD(std::move(tld))
        , m_strServer(std::move(server))
        , m_bUseForNew(useForNew ? 1 : 0)
    {}

    void Serialize(CArchiveWriter& archive) const;
    void Serialize(CArchiveReader& archive);

    // Without a leading dot; built-in and imported TLDs are upper case, comparisons ignore case.
    QByteArray m_strTLD;
    QByteArray m_strServer;
    // Bare names added to the list get one name per TLD with this flag.
    std::uint8_t m_bUseForNew = 0;
    QByteArray m_strRegistrarURL;

    // Not stored: the server's resolved address, shared with the lookups that wait for it, and
    // the id of a pending resolution (-1 when none).
    std::shared_ptr<CHostRecord> m_pHost = std::make_shared<CHostRecord>();
    int m_hResolve = -1;
};
