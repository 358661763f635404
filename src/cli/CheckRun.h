#pragma once

#include "cli/ResultFormat.h"

#include <QEventLoop>
#include <QHash>
#include <QObject>

class CDomainDoc;
class CInterruptNotifier;
class CLookupScheduler;

// Drives one quillon-cli check: turns the lookup of the ticked entries on, prints each verdict
// as it arrives (with the throttles its name met), shows progress on a terminal, and ends when
// nothing is left to do or the user presses Ctrl-C (running lookups are stopped first).
class CCheckRun : public QObject {
    Q_OBJECT

public:
    CCheckRun(CDomainDoc& doc, CLookupScheduler& scheduler, CResultFormat format,
              CInterruptNotifier& interrupts);

    // Runs until done; true when it ended by Ctrl-C.
    bool Exec();

private:
    void OnCompleted(int index, VerdictSource source);
    void OnThrottled(int index);
    void OnTicked();
    void OnInterrupted();
    void FinishWhenIdle();
    void ShowProgress();

    CDomainDoc& m_doc;
    CLookupScheduler& m_scheduler;
    CResultFormat m_format;
    QEventLoop m_loop;
    bool m_bInterrupted = false;
    bool m_bProgress;
    // Throttled answers by entry index; the run's list is never sorted, so indexes hold.
    QHash<int, int> m_throttles;
};
