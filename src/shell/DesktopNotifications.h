#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <optional>

// A message for a user who is looking elsewhere. A notice replaces the one of the same topic
// still on screen, so a batch that finds many names shows one growing notice, not a pile.
struct CNotice {
    enum class Topic { LookupsFinished, NamesAvailable };

    Topic topic;
    QString summary;
    QString body;
};

// Where a notice can go; false when that way is not open now.
using NoticeChannel = std::function<bool(const CNotice& notice)>;

// The desktop's notification service (org.freedesktop.Notifications) on the session bus. Calls
// are sent without waiting for the answer; the answer's id lets the next notice of the same
// topic replace the shown one, so a notice given while the call before it is unanswered waits
// for that answer (only the newest waits).
class CFreedesktopNotifications final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether the session bus has the service, running or startable on demand.
    static bool IsAvailable();
    // False when the service is not there.
    bool Send(const CNotice& notice);

private:
    void Call(const CNotice& notice);
    void OnAnswer(CNotice::Topic topic, uint id);

    std::map<CNotice::Topic, uint> m_shownIds;
    // Per topic: a call is unanswered, and the notice to send once it is.
    std::map<CNotice::Topic, std::optional<CNotice>> m_unanswered;
};
