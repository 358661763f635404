#pragma once

#include "lookup/DnsTally.h"
#include "lookup/ServerBrake.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

class CDomainDoc;
class CDomainInfo;
class CLookupScheduler;

// How far the lookup of the ticked entries has gone.
struct CBatchCounts {
    int checked = 0;
    int total = 0;
    int available = 0;
    // At the pace so far; none before the first result.
    std::optional<std::chrono::seconds> timeLeft;
    // The server the lookups wait for, when one asked to slow down.
    std::optional<CServerWait> wait;
    // What asking DNS first has saved in this batch.
    CDnsTally dns{};
};

// The one line the progress bar and the tray's tooltip show:
// "checked 3 of 10, 1 available, 2 settled by DNS, 2 of 3 registry queries saved, about 2 min
// left"; the part about DNS once a lookup of the batch asked it; then the server the lookups
// wait for.
QString BatchProgressText(const CBatchCounts& counts);
// How long the rest of the batch takes at the pace so far; none before the first result.
std::optional<std::chrono::seconds> EstimateTimeLeft(std::chrono::milliseconds elapsed, int checked,
                                                     int total);

// Follows a batch from the moment the lookup of the ticked entries is turned on until the
// scheduler falls idle. The batch is the ticked entries without a verdict at that moment (and
// those ticked when the command is given again while it runs); an entry counts as checked once
// its first lookup ends, and as available while its latest verdict says so. Entries that leave
// the list leave the batch.
class CBatchProgress final : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    CBatchProgress(CDomainDoc& doc, CLookupScheduler& scheduler,
                   Clock clock = std::chrono::steady_clock::now, QObject* parent = nullptr);

    // The lookup of the ticked entries was turned on.
    void Begin();
    bool IsRunning() const { return m_running; }
    CBatchCounts Counts() const;

Q_SIGNALS:
    void Changed(const CBatchCounts& counts);
    // The scheduler fell idle: the batch is over, finished or stopped.
    void Finished(const CBatchCounts& counts);

private:
    enum class State { Waiting, Checked, Available };

    void OnLookupCompleted(int index);
    void OnIdle();
    void Report();
    void DropDeparted();
    void Recount();

    CDomainDoc& m_doc;
    CLookupScheduler& m_scheduler;
    Clock m_clock;
    bool m_running = false;
    std::chrono::steady_clock::time_point m_started;
    // The scheduler's tally when the batch began.
    CDnsTally m_dnsAtStart;
    QHash<const CDomainInfo*, State> m_members;
    // Kept with the members' states, so a result costs no walk over a batch of thousands.
    int m_checked = 0;
    int m_available = 0;
};
