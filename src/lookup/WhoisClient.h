#pragma once

#include "lookup/HostRecord.h"
#include "lookup/LookupTimeouts.h"
#include "lookup/ReceiveBuffer.h"
#include "lookup/SocketHolder.h"

#include <QByteArray>

#include <memory>

// One WHOIS query over TCP: waits for the server's address, connects, sends the name and CR LF
// and collects the answer until the server closes, the buffer is full, the server stalls, the
// try's deadline passes or the user stops it. Runs on the lookup's worker thread; the
// user-interface thread only calls Abort().
class CWhoisClient {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr qsizetype kNameCapacity = 256;
    static constexpr qsizetype kMessageCapacity = 256;
    static constexpr qsizetype kAnswerCapacity = ReceiveBuffer::kCapacity;
    static constexpr qsizetype kChunkSize = ReceiveBuffer::kChunkSize;

    // `host` is the address record of the name's TLD entry (or of com's when the name has
    // none); empty when neither exists. `serverName` is the server of the name's own entry,
    // for the message when its address never arrives.
    CWhoisClient(QByteArrayView name, std::shared_ptr<CHostRecord> host, QByteArray serverName,
                 CLookupTimeouts timeouts);
    CWhoisClient(const CWhoisClient&) = delete;
    CWhoisClient& operator=(const CWhoisClient&) = delete;
    virtual ~CWhoisClient() = default;

    // The line an answer begins with, cut to the message buffer.
    static QByteArray FirstLine(QByteArrayView serverName, QByteArrayView name);

    // True with the answer (which begins with FirstLine), or false with an error message. The
    // whole try ends within the lookup timeout; waiting for the address counts as connecting.
    bool Query();
    // The same within a try that began earlier and ends at `deadline`.
    bool Query(Clock::time_point deadline);
    const QByteArray& GetAnswer() const { return m_answer; }
    const QByteArray& GetMessage() const { return m_message; }
    CSocketHolder& GetSocket() { return m_socket; }
    // The server refused the connection, or reset it before sending a byte.
    bool WasRefused() const { return m_bRefused; }
    // The server's name could not be resolved (now, or lately enough to be remembered).
    bool WasUnresolved() const { return m_bUnresolved; }

    void Abort();

private:
    enum class Wait { Ready, TimedOut, Stopped };

    // Waits for the address within the connect timeout; false when it failed, was withdrawn or
    // did not come in time.
    bool WaitForAddress(CHostRecord::Snapshot& address);
    // Tries each address in turn; sets `timedOut` when the last attempt ran out of time.
    bool Connect(const CHostRecord::Snapshot& address, bool& timedOut);
    // Collects the answer; true when the server stalled before sending anything.
    bool Receive();
    // Now plus `timeout`, or the try's deadline when that comes first.
    Clock::time_point WithinDeadline(std::chrono::milliseconds timeout) const;
    Wait WaitFor(short events, std::chrono::milliseconds timeout);
    bool Fail(QByteArrayView message);

    QByteArray m_name;
    QByteArray m_message;
    QByteArray m_answer;
    std::shared_ptr<CHostRecord> m_host;
    QByteArray m_serverName;
    CLookupTimeouts m_timeouts;
    Clock::time_point m_deadline;
    CSocketHolder m_socket;
    bool m_bRefused = false;
    bool m_bUnresolved = false;
};
