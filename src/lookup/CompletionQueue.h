#pragma once

#include <QObject>

#include <mutex>
#include <vector>

class QSocketNotifier;
class CLookupJob;

// Hands finished lookups from their worker threads to the user-interface thread. A worker pushes
// its job and wakes the event loop through an eventfd; the UI thread is told by Ready() and takes
// the jobs. Workers never touch Qt objects.
class CCompletionQueue : public QObject {
    Q_OBJECT

public:
    explicit CCompletionQueue(QObject* parent = nullptr);
    ~CCompletionQueue() override;

    // Any thread.
    void Push(CLookupJob* job);
    // User-interface thread.
    std::vector<CLookupJob*> TakeAll();

Q_SIGNALS:
    void Ready();

private:
    void OnWake();

    int m_eventFd = -1;
    QSocketNotifier* m_notifier = nullptr;
    std::mutex m_mutex;
    std::vector<CLookupJob*> m_done; // guarded by m_mutex
};
