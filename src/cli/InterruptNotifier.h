#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

// Turns Ctrl-C (SIGINT), SIGTERM, SIGHUP and SIGQUIT into a Qt signal on the event loop's thread,
// so a run can stop its lookups and save its document instead of dying mid-way. While it lives,
// no such signal ends the process: one that arrives when no event loop runs (during the final
// save) is only noted, for TakeArrived(). A closed output pipe (SIGPIPE) ends nothing either.
class CInterruptNotifier : public QObject {
    Q_OBJECT

public:
    explicit CInterruptNotifier(QObject* parent = nullptr);
    // Gives the signals their former handling back.
    ~CInterruptNotifier() override;

    // True when a signal arrived that the event loop has not reported; forgets it.
    bool TakeArrived();

Q_SIGNALS:
    void Interrupted();

private:
    void OnSignal();

    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_former[5] = {};
};
