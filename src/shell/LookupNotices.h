#pragma once

#include "shell/DesktopNotifications.h"

#include <QObject>
#include <QStringList>

#include <vector>

class CBatchProgress;
class CDomainDoc;
class CLookupScheduler;
class QWidget;
struct CBatchCounts;

// Tells a user who is not looking at the window (hidden, minimised or not active) that a batch
// of lookups ended, and, when asked for, that a name came back available. Each is switched on or
// off in the options. A notice goes to the first channel that takes it: the desktop's
// notification service, else the tray icon's message, else nowhere.
class CLookupNotices final : public QObject {
    Q_OBJECT

public:
    CLookupNotices(QWidget& window, CDomainDoc& doc, CLookupScheduler& scheduler,
                   CBatchProgress& batch, std::vector<NoticeChannel> channels);

    // Tests send notices to a recorder instead of the desktop.
    void SetChannels(std::vector<NoticeChannel> channels) { m_channels = std::move(channels); }

    // "Lookups finished: 312 checked, 9 available", as summary and body.
    static CNotice FinishedNotice(const CBatchCounts& counts);
    // The names that came back available since the user last looked at the window.
    static CNotice AvailableNotice(const QStringList& names);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool UserLooksElsewhere() const;
    void OnBatchFinished(const CBatchCounts& counts);
    void OnLookupCompleted(int index);
    void Deliver(const CNotice& notice) const;

    QWidget& m_window;
    CDomainDoc& m_doc;
    std::vector<NoticeChannel> m_channels;
    QStringList m_availableWhileAway;
};
