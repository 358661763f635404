#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <chrono>

class QLocalSocket;

// One running Quillon per user takes the documents of later starts: a start with a file first
// offers the file to the running instance, and ends when that instance took it. The running
// instance listens on a per-user local socket and reports every file handed to it.
class CSingleInstance : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultReplyTimeout{3000};

    // In the user's runtime folder when there is one, else in the temporary folder; the user id
    // is part of the name either way, so users never meet each other's instance.
    static QString DefaultServerName();

    explicit CSingleInstance(QString serverName = DefaultServerName(),
                             std::chrono::milliseconds replyTimeout = kDefaultReplyTimeout,
                             QObject* parent = nullptr);

    // Gives the running instance the file's absolute path. True when it confirmed it: this start
    // has nothing left to do. False when no instance runs or none answered in time.
    bool HandOver(const QString& filePath) const;
    // Starts taking the files of later starts. A socket left behind by an instance that crashed
    // is replaced; false when another instance is listening already (or listening fails).
    bool Listen();
    bool IsListening() const { return m_server.isListening(); }

Q_SIGNALS:
    // A later start handed over this document; the window offers to save its changes and then
    // opens it.
    void FileReceived(const QString& absolutePath);

private:
    void OnNewConnection();
    void TakeRequest(QLocalSocket* socket, QByteArray& request);
    bool SomeoneAnswers() const;

    QString m_serverName;
    std::chrono::milliseconds m_replyTimeout;
    QLocalServer m_server;
};
