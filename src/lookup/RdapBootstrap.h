#pragma once

#include "lookup/LookupTimeouts.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

class CHttpTransfer;

// IANA's RDAP bootstrap file for domain names: which RDAP service answers for each TLD. The copy
// in the data folder, which the update command writes, wins over the one installed with the
// program.
class CRdapBootstrap {
public:
    static constexpr char kFileName[] = "rdap-dns.json";

    // The data folder's copy when it reads as a bootstrap file, else the installed one; empty
    // when neither does.
    static CRdapBootstrap Load();
    // The file's services, or nothing with the fault in `problem`.
    static std::optional<CRdapBootstrap> Parse(const QByteArray& json, QString& problem);

    static QString DataFolderCopy();
    static QString InstalledCopy();

    // The base URL of the service for the name's longest matching label suffix (an HTTPS one
    // where the service lists several); empty when the bootstrap has none.
    QByteArray BaseUrlFor(QByteArrayView name) const;
    int TLDCount() const { return static_cast<int>(m_baseUrls.size()); }
    const QString& Publication() const { return m_publication; }

private:
    QHash<QByteArray, QByteArray> m_baseUrls; // by lower-case TLD
    QString m_publication;
};

// How a bootstrap update ended, in plain words for the user.
struct CBootstrapUpdate {
    bool ok = false;
    QString message;
};

// Downloads the bootstrap file from `url`, checks it and replaces the data folder's copy
// atomically. A failed download or a file that is no bootstrap leaves the copy in use alone.
// Runs on a worker thread; `transfer` is the caller's, so that it can be stopped.
CBootstrapUpdate UpdateRdapBootstrap(CHttpTransfer& transfer, const QByteArray& url,
                                     CLookupTimeouts timeouts, const QByteArray& caFile);
