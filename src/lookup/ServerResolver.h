#pragma once

#include <QByteArray>
#include <QObject>

class CHostRecord;
class CTLDList;
class QHostInfo;

// Resolves the host names of the TLD table's WHOIS servers without blocking the user-interface
// thread, once per server until the table is edited, and keeps each address in its entry for
// every lookup of that TLD.
class CServerResolver : public QObject {
    Q_OBJECT

public:
    explicit CServerResolver(CTLDList& list, QObject* parent = nullptr);
    // Cancels the resolutions still pending, so that a later resolver starts them again.
    ~CServerResolver() override;

    // Starts a resolution for every WHOIS entry that has neither an address nor one pending.
    bool ResolveServers();
    // Applies a finished resolution of `resolvedHost` to its entry: the entry's index, the
    // bitwise complement of the index when the server could not be resolved, or the table size
    // when no entry waits for it (it was removed meanwhile). A result for a server the entry no
    // longer names is dropped, and the next round resolves the new one.
    int HandleResult(const QHostInfo& result, const QString& resolvedHost);
    // True when no entry has an address (an empty table included); an RDAP entry needs none.
    bool NoServerResolved() const;
    // Forgets every address and cancels pending resolutions, so edited servers are resolved
    // again.
    void ClearAllResults();

Q_SIGNALS:
    // The server of the TLD entry with this address record could not be resolved. The record
    // names the entry; it is not for reading here.
    void ResolutionFailed(const CHostRecord* host);

private:
    void CancelPending();

    CTLDList& m_list;
};
