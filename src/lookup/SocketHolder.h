#pragma once

#include <atomic>
#include <mutex>

// One TCP socket of a lookup and its share of the socket layer. The worker thread opens, uses and
// closes it; the user-interface thread may only Abort() it, which shuts the connection down
// (ending a blocked connect or receive) and raises the abort flag. Only the worker closes the
// descriptor, so an abort can never reach a descriptor number that was reused elsewhere.
class CSocketHolder {
public:
    CSocketHolder() = default;
    CSocketHolder(const CSocketHolder&) = delete;
    CSocketHolder& operator=(const CSocketHolder&) = delete;
    ~CSocketHolder();

    // Closes whatever is open, then takes a share of the socket layer. Only version 1.1 is
    // offered; asking for another fails.
    bool Startup(int major, int minor);
    // Creates a socket; fails when the layer was not started or the lookup was aborted.
    bool Open(int family, int type, int protocol);
    // Closes the socket and gives the layer share back.
    bool Close();
    // Closes only the socket, keeping the layer share, to try another address.
    void CloseSocket();

    void Abort();
    bool IsAborted() const { return m_bAbort.load(); }
    // The descriptor, for the worker thread's own calls.
    int Descriptor() const;

    // How many shares of the socket layer are taken in the whole program.
    static int LayerUsers();

private:
    mutable std::mutex m_mutex;
    int m_socket = -1; // guarded by m_mutex
    bool m_bStarted = false;
    std::atomic<bool> m_bAbort{false};
};
