#include "shell/LookupNotices.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "core/Settings.h"
#include "lookup/LookupScheduler.h"
#include "view/BatchProgress.h"

#include <QEvent>
#include <QWidget>

namespace {

// More names than this are summed up as "and N more".
constexpr qsizetype kNamesListed = 5;

} // namespace

CLookupNotices::CLookupNotices(QWidget& window, CDomainDoc& doc, CLookupScheduler& scheduler,
                               CBatchProgress& batch, std::vector<NoticeChannel> channels)
    : QObject(&window)
    , m_window(window)
    , m_doc(doc)
    , m_channels(std::move(channels))
{
    connect(&batch, &CBatchProgress::Finished, this, &CLookupNotices::OnBatchFinished);
    connect(&scheduler, &CLookupScheduler::LookupCompleted, this,
            &CLookupNotices::OnLookupCompleted);
    m_window.installEventFilter(this);
}

CNotice CLookupNotices::FinishedNotice(const CBatchCounts& counts)
{
    return {CNotice::Topic::LookupsFinished, QStringLiteral("Lookups finished"),
            QStringLiteral("%1 checked, %2 available").arg(counts.checked).arg(counts.available)};
}

CNotice CLookupNotices::AvailableNotice(const QStringList& names)
{
    QString body = names.mid(0, kNamesListed).join(QStringLiteral(", "));
    if (names.size() > kNamesListed) {
        body += QStringLiteral(" and %1 more").arg(names.size() - kNamesListed);
    }
    const QString summary = names.size() == 1
                                ? QStringLiteral("Name available")
                                : QStringLiteral("%1 names available").arg(names.size());
    return {CNotice::Topic::NamesAvailable, summary, body};
}

// Back at the window, the user sees the list itself: the names found so far are told.
bool CLookupNotices::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::WindowActivate) {
        m_availableWhileAway.clear();
    }
    return QObject::eventFilter(watched, event);
}

bool CLookupNotices::UserLooksElsewhere() const
{
    return !m_window.isVisible() || m_window.isMinimized() || !m_window.isActiveWindow();
}

void CLookupNotices::OnBatchFinished(const CBatchCounts& counts)
{
    if (counts.checked > 0 && UserLooksElsewhere() &&
        GetSetting(Setting::NotifyLookupsFinished) != 0) {
        Deliver(FinishedNotice(counts));
    }
}

void CLookupNotices::OnLookupCompleted(int index)
{
    const CDomainInfo* entry = m_doc.GetAt(index);
    if (!entry || entry->m_nStatus != STATUS_AVAILABLE || !UserLooksElsewhere() ||
        GetSetting(Setting::NotifyNameAvailable) == 0) {
        return;
    }
    m_availableWhileAway.append(ByteText::Decode(DomainName::DisplayForm(entry->m_strName)));
    Deliver(AvailableNotice(m_availableWhileAway));
}

void CLookupNotices::Deliver(const CNotice& notice) const
{
    for (const NoticeChannel& channel : m_channels) {
        if (channel(notice)) {
            return;
        }
    }
}
