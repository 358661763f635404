#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>

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
// topic replace the shown one.
class CFreedesktopNotifications final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether the session bus has the service, running or startable on demand.
    static bool IsAvailable();
    // False when the service is not there.
    bool Send(const CNotice& notice);

private:
    std::map<CNotice::Topic, uint> m_shownIds;
};
