#pragma once

#include "support/TestTcpServer.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>

#include <chrono>
#include <vector>

class QTcpSocket;

// An HTTP server for tests on 127.0.0.1 at a port of its own, plain or over TLS with a
// certificate generated for the test run (CaFile() names it, for the client to trust). It reads
// one GET and acts on the script for its path (or the default script): answer with a status,
// headers and body, wait first, accept and never answer, send half the body and stall or reset
// the connection, or send an endless body.
class CTestHttpServer final : public CTestTcpServer {
public:
    enum class Tls { Off, On };
    enum class Mode { Answer, Stall, StallMidBody, ResetMidBody, Endless };

    struct Script {
        Mode mode = Mode::Answer;
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        std::chrono::milliseconds delay{0};

        static Script Answer(int status, QByteArray body, std::chrono::milliseconds delay = {})
        {
            Script script;
            script.status = status;
            script.body = std::move(body);
            script.delay = delay;
            return script;
        }
        static Script With(Mode mode, QByteArray body = {})
        {
            Script script;
            script.mode = mode;
            script.body = std::move(body);
            return script;
        }
        static Script Redirect(QByteArray location)
        {
            Script script;
            script.status = 302;
            script.headers.append(qMakePair(QByteArray("Location"), std::move(location)));
            return script;
        }
    };

    explicit CTestHttpServer(Tls tls = Tls::Off);
    ~CTestHttpServer() override;

    // "http://127.0.0.1:<port>/" or "https://127.0.0.1:<port>/", as a TLD entry names it.
    QByteArray BaseUrl() const;
    // The certificate of every TLS test server, generated once per test program.
    static QByteArray CaFile();

    void SetDefault(Script script);
    // `path` as requested, e.g. "/domain/example.com".
    void SetScript(const QByteArray& path, Script script);

    // Every request's path and Accept header, in arrival order.
    std::vector<QPair<QByteArray, QByteArray>> Requests() const;

private:
    void Serve(int client) override;
    bool ReadRequest(QTcpSocket& socket, QByteArray& path, QByteArray& accept);
    void Respond(QTcpSocket& socket, const Script& script);
    Script ScriptFor(const QByteArray& path) const;
    void HoldUntilClientLeaves(QTcpSocket& socket);

    Tls m_tls;
    Script m_default;                                      // guarded by m_mutex
    QHash<QByteArray, Script> m_scripts;                   // guarded by m_mutex
    std::vector<QPair<QByteArray, QByteArray>> m_requests; // guarded by m_mutex
};
