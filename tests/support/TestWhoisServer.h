#pragma once

#include "support/TestTcpServer.h"

#include <QByteArray>
#include <QHash>

#include <atomic>
#include <chrono>
#include <vector>

// A WHOIS server for tests on 127.0.0.1 at a port of its own. It reads the query line and acts
// on the script for the queried name (or the default script): answer, wait first, close at once,
// accept and never answer (until the client leaves), trickle a byte at a time, trickle the answer
// over and over at a few bytes a second without ever ending (until the client leaves), flood, or
// reset the connection. It counts the connections open at once. It may also throttle: beyond a
// rate, each client's queries get a refusal instead of their script.
class CTestWhoisServer final : public CTestTcpServer {
public:
    enum class Mode { Answer, CloseAtOnce, Stall, Trickle, EndlessTrickle, Flood, Reset };

    struct Script {
        Mode mode = Mode::Answer;
        QByteArray answer;
        std::chrono::milliseconds delay{0};
        std::chrono::milliseconds trickleGap{5};
        qsizetype floodBytes = 4 * 1024 * 1024;

        static Script Answer(QByteArray text, std::chrono::milliseconds delay = {})
        {
            Script script;
            script.answer = std::move(text);
            script.delay = delay;
            return script;
        }
        static Script With(Mode mode, QByteArray text = {})
        {
            Script script;
            script.mode = mode;
            script.answer = std::move(text);
            return script;
        }
        static Script Trickle(QByteArray text, std::chrono::milliseconds gap)
        {
            Script script = With(Mode::Trickle, std::move(text));
            script.trickleGap = gap;
            return script;
        }
        // Never stops sending: `bytesPerSecond` bytes of the text each second, round and round,
        // each arriving well within any read timeout.
        static Script TricklePerSecond(QByteArray text, int bytesPerSecond)
        {
            Script script =
                Trickle(std::move(text), std::chrono::milliseconds(1000) / bytesPerSecond);
            script.mode = Mode::EndlessTrickle;
            return script;
        }
    };

    CTestWhoisServer();
    ~CTestWhoisServer() override;

    // "127.0.0.1:<port>", as a TLD table entry names this server.
    QByteArray Address() const;

    void SetDefault(Script script);
    void SetScript(const QByteArray& name, Script script);
    // Each client address may send `burst` queries at once and `perSecond` a second after them
    // (a token bucket); the queries beyond get `text` as their answer or, when `text` is empty,
    // their script's answer once their turn comes.
    void SetThrottle(double perSecond, int burst, QByteArray text);
    // How many queries got the throttle's text.
    int ThrottledQueries() const { return m_throttled.load(); }

    // Every query line received, CR LF included, in arrival order.
    std::vector<QByteArray> Queries() const;

private:
    void Serve(int client) override;
    Script ScriptFor(const QByteArray& query, quint32 clientAddress);
    // Under m_mutex: how long the client's next query must wait for a token of its bucket; takes
    // the token at once when there is one, and also for a wait when `queue`.
    std::chrono::duration<double> TakeToken(quint32 clientAddress, bool queue);
    // A stalled connection ends when the client closes it or the test releases it.
    void HoldUntilClientLeaves(int client);

    struct Bucket {
        double tokens = 0;
        std::chrono::steady_clock::time_point filledAt;
    };

    std::atomic<int> m_throttled{0};
    Script m_default;                    // guarded by m_mutex
    QHash<QByteArray, Script> m_scripts; // guarded by m_mutex
    std::vector<QByteArray> m_queries;   // guarded by m_mutex
    double m_throttleRate = 0;           // guarded by m_mutex; 0: no throttle
    int m_throttleBurst = 0;             // guarded by m_mutex
    QByteArray m_throttleText;           // guarded by m_mutex
    QHash<quint32, Bucket> m_buckets;    // guarded by m_mutex
};
