#pragma once

#include <QByteArray>

#include <cstdint>

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
    // An entry is one row: the resolver and the dialogs know it by its address.
    CTLDInfo(const CTLDInfo&) = delete;
    CTLDInfo& operator=(const CTLDInfo&) = delete;
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
};
