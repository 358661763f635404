#include "lookup/CompletionQueue.h"

#include <QSocketNotifier>

#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

CCompletionQueue::CCompletionQueue(QObject* parent)
    : QObject(parent)
    , m_eventFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    m_notifier = new QSocketNotifier(m_eventFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CCompletionQueue::OnWake);
}

CCompletionQueue::~CCompletionQueue()
{
    delete m_notifier;
    ::close(m_eventFd);
}

void CCompletionQueue::Push(CLookupJob* job)
{
    {
        const std::lock_guard lock(m_mutex);
        m_done.push_back(job);
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_eventFd, &one, sizeof one);
}

std::vector<CLookupJob*> CCompletionQueue::TakeAll()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_done, {});
}

void CCompletionQueue::OnWake()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_eventFd, &count, sizeof count);
    Q_EMIT Ready();
}
