#include "lookup/SocketHolder.h"

#include <sys/socket.h>
#include <unistd.h>

namespace {
std::atomic<int> g_nLayerUsers{0};
}

CSocketHolder::~CSocketHolder()
{
    Close();
}

bool CSocketHolder::Startup(int major, int minor)
{
    Close();
    if (major != 1 || minor != 1) {
        return false;
    }
    ++g_nLayerUsers;
    m_bStarted = true;
    return true;
}

bool CSocketHolder::Open(int family, int type, int protocol)
{
    const std::lock_guard lock(m_mutex);
    if (m_socket != -1) {
        ::close(m_socket);
        m_socket = -1;
    }
    if (!m_bStarted || m_bAbort) {
        return false;
    }
    m_socket = ::socket(family, type | SOCK_CLOEXEC | SOCK_NONBLOCK, protocol);
    return m_socket != -1;
}

bool CSocketHolder::Close()
{
    CloseSocket();
    if (m_bStarted) {
        --g_nLayerUsers;
        m_bStarted = false;
    }
    return true;
}

void CSocketHolder::CloseSocket()
{
    const std::lock_guard lock(m_mutex);
    if (m_socket != -1) {
        ::close(m_socket);
        m_socket = -1;
    }
}

void CSocketHolder::Abort()
{
    const std::lock_guard lock(m_mutex);
    m_bAbort = true;
    if (m_socket != -1) {
        ::shutdown(m_socket, SHUT_RDWR);
    }
}

int CSocketHolder::Descriptor() const
{
    const std::lock_guard lock(m_mutex);
    return m_socket;
}

int CSocketHolder::LayerUsers()
{
    return g_nLayerUsers.load();
}
