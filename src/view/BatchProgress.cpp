#include "view/BatchProgress.h"

#include "core/DomainDoc.h"
#include "lookup/LookupScheduler.h"
#include "lookup/StatusLine.h"

#include <QSet>

namespace {

using std::chrono::duration_cast;
using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

// An entry the batch looks up: no verdict yet, and not given up on.
bool AwaitsVerdict(const CDomainInfo& entry)
{
    return !entry.IsChecked() && entry.m_nStatus != STATUS_TOO_MANY_ERRORS;
}

QString TimeLeftText(seconds left)
{
    if (left < minutes(1)) {
        return QStringLiteral("less than a minute left");
    }
    const auto wholeMinutes = duration_cast<minutes>(left + seconds(59)).count();
    if (wholeMinutes < 60) {
        return QStringLiteral("about %1 min left").arg(wholeMinutes);
    }
    return QStringLiteral("about %1 h %2 min left").arg(wholeMinutes / 60).arg(wholeMinutes % 60);
}

} // namespace

QString BatchProgressText(const CBatchCounts& counts)
{
    QString text = QStringLiteral("checked %1 of %2, %3 available")
                       .arg(counts.checked)
                       .arg(counts.total)
                       .arg(counts.available);
    if (const QString dns = DnsTallyText(counts.dns); !dns.isEmpty()) {
        text += QStringLiteral(", ") + dns;
    }
    if (counts.timeLeft) {
        text += QStringLiteral(", ") + TimeLeftText(*counts.timeLeft);
    }
    if (counts.wait) {
        text += QStringLiteral(", ") + ServerWaitText(*counts.wait);
    }
    return text;
}

std::optional<seconds> EstimateTimeLeft(milliseconds elapsed, int checked, int total)
{
    if (checked <= 0 || total < checked) {
        return std::nullopt;
    }
    return duration_cast<seconds>(elapsed * (total - checked) / checked);
}

CBatchProgress::CBatchProgress(CDomainDoc& doc, CLookupScheduler& scheduler, Clock clock,
                               QObject* parent)
    : QObject(parent)
    , m_doc(doc)
    , m_scheduler(scheduler)
    , m_clock(std::move(clock))
{
    connect(&m_scheduler, &CLookupScheduler::LookupCompleted, this,
            &CBatchProgress::OnLookupCompleted);
    connect(&m_scheduler, &CLookupScheduler::Idle, this, &CBatchProgress::OnIdle);
    connect(&m_scheduler, &CLookupScheduler::Ticked, this, [this] {
        if (m_running) {
            Report(); // the time left moves with the clock
        }
    });
    connect(&m_doc, &CDomainDoc::ListReset, this, &CBatchProgress::DropDeparted);
    connect(&m_doc, &CDomainDoc::RowRemoved, this, &CBatchProgress::DropDeparted);
}

void CBatchProgress::Begin()
{
    if (!m_running) {
        m_running = true;
        m_started = m_clock();
        m_dnsAtStart = m_scheduler.GetDnsTally();
        m_members.clear();
        Recount();
    }
    for (const auto& entry : m_doc.GetEntries()) {
        if (entry->m_bTicked && AwaitsVerdict(*entry) && !m_members.contains(entry.get())) {
            m_members.insert(entry.get(), State::Waiting);
        }
    }
    Report();
}

CBatchCounts CBatchProgress::Counts() const
{
    CBatchCounts counts;
    counts.total = static_cast<int>(m_members.size());
    counts.checked = m_checked;
    counts.available = m_available;
    if (m_running) {
        counts.dns = m_scheduler.GetDnsTally().Since(m_dnsAtStart);
        counts.timeLeft = EstimateTimeLeft(duration_cast<milliseconds>(m_clock() - m_started),
                                           counts.checked, counts.total);
        counts.wait = m_scheduler.CurrentWait();
    }
    return counts;
}

void CBatchProgress::OnLookupCompleted(int index)
{
    const CDomainInfo* entry = m_doc.GetAt(index);
    const auto member = entry ? m_members.find(entry) : m_members.end();
    if (member == m_members.end()) {
        return;
    }
    const State now = entry->m_nStatus == STATUS_AVAILABLE ? State::Available : State::Checked;
    m_checked += *member == State::Waiting ? 1 : 0;
    m_available += (now == State::Available ? 1 : 0) - (*member == State::Available ? 1 : 0);
    *member = now;
    Report();
}

void CBatchProgress::Recount()
{
    m_checked = 0;
    m_available = 0;
    for (const State state : std::as_const(m_members)) {
        m_checked += state != State::Waiting ? 1 : 0;
        m_available += state == State::Available ? 1 : 0;
    }
}

void CBatchProgress::OnIdle()
{
    if (!m_running) {
        return;
    }
    const CBatchCounts counts = Counts();
    m_running = false;
    m_members.clear();
    Recount();
    Q_EMIT Finished(counts);
}

void CBatchProgress::Report()
{
    Q_EMIT Changed(Counts());
}

void CBatchProgress::DropDeparted()
{
    if (m_members.isEmpty()) {
        return;
    }
    QSet<const CDomainInfo*> listed;
    listed.reserve(m_doc.GetCount());
    for (const auto& entry : m_doc.GetEntries()) {
        listed.insert(entry.get());
    }
    const auto before = m_members.size();
    m_members.removeIf([&listed](QHash<const CDomainInfo*, State>::iterator member) {
        return !listed.contains(member.key());
    });
    if (m_members.size() != before) {
        Recount();
        Report();
    }
}
