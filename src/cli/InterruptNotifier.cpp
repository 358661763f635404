#include "cli/InterruptNotifier.h"

#include <QSocketNotifier>

#include <iterator>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kCaught[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

int g_signalPipe[2] = {-1, -1};

void WriteSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

} // namespace

CInterruptNotifier::CInterruptNotifier(QObject* parent)
    : QObject(parent)
{
    static_assert(std::size(kCaught) == std::size(decltype(m_former){}));
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CInterruptNotifier::OnSignal);
    for (std::size_t i = 0; i < std::size(kCaught); ++i) {
        struct sigaction action {};
        // A reader that went away makes writes fail instead of ending the run before its save.
        action.sa_handler = kCaught[i] == SIGPIPE ? SIG_IGN : WriteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(kCaught[i], &action, &m_former[i]);
    }
}

CInterruptNotifier::~CInterruptNotifier()
{
    if (!m_notifier) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kCaught); ++i) {
        ::sigaction(kCaught[i], &m_former[i], nullptr);
    }
    delete m_notifier;
    for (int& end : g_signalPipe) {
        ::close(end);
        end = -1;
    }
}

bool CInterruptNotifier::TakeArrived()
{
    bool arrived = false;
    char bytes[16];
    while (g_signalPipe[0] != -1 && ::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
        arrived = true;
    }
    return arrived;
}

void CInterruptNotifier::OnSignal()
{
    TakeArrived();
    Q_EMIT Interrupted();
}
