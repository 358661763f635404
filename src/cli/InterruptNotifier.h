#pragma once

#include <QObject>

class QSocketNotifier;

// Turns Ctrl-C (SIGINT) and SIGTERM into a Qt signal on the event loop's thread, so a run can
// stop its lookups and save its document instead of dying mid-way.
class CInterruptNotifier : public QObject {
    Q_OBJECT

public:
    explicit CInterruptNotifier(QObject* parent = nullptr);
    ~CInterruptNotifier() override;

Q_SIGNALS:
    void Interrupted();

private:
    void OnSignal();

    QSocketNotifier* m_notifier = nullptr;
};
