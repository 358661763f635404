#include "cli/CheckRun.h"

#include "cli/CliOutput.h"
#include "cli/InterruptNotifier.h"
#include "core/DomainDoc.h"
#include "lookup/LookupScheduler.h"
#include "lookup/StatusLine.h"

#include <cstdio>

#include <unistd.h>

CCheckRun::CCheckRun(CDomainDoc& doc, CLookupScheduler& scheduler, CResultFormat format,
                     CInterruptNotifier& interrupts)
    : m_doc(doc)
    , m_scheduler(scheduler)
    , m_format(format)
    , m_bProgress(::isatty(STDERR_FILENO) != 0)
{
    connect(&m_scheduler, &CLookupScheduler::LookupCompleted, this, &CCheckRun::OnCompleted);
    connect(&m_scheduler, &CLookupScheduler::LookupThrottled, this, &CCheckRun::OnThrottled);
    connect(&m_scheduler, &CLookupScheduler::Ticked, this, &CCheckRun::OnTicked);
    connect(&interrupts, &CInterruptNotifier::Interrupted, this, &CCheckRun::OnInterrupted);
}

bool CCheckRun::Exec()
{
    m_scheduler.CheckAllSelected(CLookupScheduler::BatchScope::Every);
    m_scheduler.OnTimer(); // the first lookups start now, not one interval later
    if (m_scheduler.IsBusy()) {
        m_loop.exec();
    }
    if (m_bProgress) {
        std::fputs("\r\033[K", stderr);
    }
    return m_bInterrupted;
}

void CCheckRun::OnCompleted(int index, VerdictSource source)
{
    const std::uint8_t status = m_doc.GetAt(index)->m_nStatus;
    if (status == STATUS_TAKEN || status == STATUS_AVAILABLE || status == STATUS_TOO_MANY_ERRORS ||
        m_bInterrupted) {
        if (m_bProgress) {
            std::fputs("\r\033[K", stderr);
        }
        CliOutput::WriteLine(m_format.Line(m_doc, index, {m_throttles.value(index), source}));
        std::fflush(stdout);
    }
    FinishWhenIdle();
}

void CCheckRun::OnThrottled(int index)
{
    ++m_throttles[index];
}

void CCheckRun::OnTicked()
{
    ShowProgress();
    FinishWhenIdle();
}

void CCheckRun::OnInterrupted()
{
    m_bInterrupted = true;
    m_scheduler.StopAll();
    FinishWhenIdle();
}

void CCheckRun::FinishWhenIdle()
{
    if (!m_scheduler.IsBusy()) {
        m_loop.quit();
    }
}

void CCheckRun::ShowProgress()
{
    if (m_bProgress) {
        QString progress = SummaryText(CListCounts::Of(m_doc, m_scheduler.GetDnsTally()));
        if (const std::optional<CServerWait> wait = m_scheduler.CurrentWait()) {
            progress += QStringLiteral(", ") + ServerWaitText(*wait);
        }
        const QByteArray line = "\r\033[K" + progress.toUtf8();
        std::fputs(line.constData(), stderr);
    }
}
