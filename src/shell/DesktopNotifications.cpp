#include "shell/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// The service chooses how long a notice stays.
constexpr int kServerDefaultTimeout = -1;

} // namespace

bool CFreedesktopNotifications::IsAvailable()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon) {
        return false;
    }
    return daemon->isServiceRegistered(kService).value() ||
           daemon->activatableServiceNames().value().contains(kService);
}

bool CFreedesktopNotifications::Send(const CNotice& notice)
{
    if (!IsAvailable()) {
        return false;
    }
    const auto unanswered = m_unanswered.find(notice.topic);
    if (unanswered != m_unanswered.end()) {
        unanswered->second = notice;
        return true;
    }
    Call(notice);
    return true;
}

void CFreedesktopNotifications::Call(const CNotice& notice)
{
    m_unanswered[notice.topic] = std::nullopt;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("quillon")}};
    const auto shown = m_shownIds.find(notice.topic);
    const uint replaces = shown == m_shownIds.end() ? 0 : shown->second;
    call << QStringLiteral("Quillon") << replaces << QStringLiteral("quillon") << notice.summary
         << notice.body << QStringList() << hints << kServerDefaultTimeout;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, topic = notice.topic](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                OnAnswer(topic, reply.isError() ? 0 : reply.value());
                finished->deleteLater();
            });
}

void CFreedesktopNotifications::OnAnswer(CNotice::Topic topic, uint id)
{
    m_shownIds[topic] = id;
    const std::optional<CNotice> waiting = m_unanswered[topic];
    m_unanswered.erase(topic);
    if (waiting) {
        Call(*waiting);
    }
}
