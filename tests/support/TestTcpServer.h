#pragma once

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// The listening half of the tests' servers: a socket on 127.0.0.1 at a port of its own, a thread
// that accepts, and one thread per connection running Serve(). It counts the connections open at
// once and lets stalled connections go when told.
class CTestTcpServer {
public:
    CTestTcpServer(const CTestTcpServer&) = delete;
    CTestTcpServer& operator=(const CTestTcpServer&) = delete;
    virtual ~CTestTcpServer();

    quint16 Port() const { return m_port; }
    int ConnectionsOpen() const { return m_open.load(); }
    int MostConnectionsAtOnce() const { return m_mostOpen.load(); }
    int ConnectionsAccepted() const { return m_accepted.load(); }
    // Lets stalled connections go (the server closes them).
    void ReleaseStalled();

protected:
    CTestTcpServer();
    // Starts accepting; the last step of a server's constructor.
    void Start();
    // Stops accepting, ends every connection and waits for their threads; the first step of a
    // server's destructor, while what Serve() uses still lives.
    void Stop();
    // Serves one connection; the socket is closed afterwards.
    virtual void Serve(int client) = 0;
    // False when the wait was cut short because stalled connections were let go.
    bool WaitUnlessReleased(std::chrono::milliseconds duration);

    // Guards the state of the server and of the servers built on it.
    mutable std::mutex m_mutex;

private:
    void AcceptLoop();
    void RunConnection(int client);

    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_bStopping{false};
    std::atomic<int> m_open{0};
    std::atomic<int> m_mostOpen{0};
    std::atomic<int> m_accepted{0};
    std::vector<std::thread> m_connections; // guarded by m_mutex
    std::vector<int> m_clients;             // guarded by m_mutex
    bool m_bReleased = false;               // guarded by m_mutex
    std::condition_variable m_release;
    std::thread m_acceptor;
};
