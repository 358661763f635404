#include "shell/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

#include <unistd.h>

namespace {

// A request is the path's bytes and a NUL, which no path contains; the answer confirms it.
constexpr char kEndOfPath = '\0';
constexpr QByteArrayView kTaken = "taken";
// Longer than any path the system accepts; a peer sending more is not a Quillon start.
constexpr qsizetype kLongestRequest = 64 * 1024;

} // namespace

QString CSingleInstance::DefaultServerName()
{
    const QString name = QStringLiteral("quillon-%1").arg(::getuid());
    const QString runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtimeFolder.isEmpty() ? name : QDir(runtimeFolder).filePath(name);
}

CSingleInstance::CSingleInstance(QString serverName, std::chrono::milliseconds replyTimeout,
                                 QObject* parent)
    : QObject(parent)
    , m_serverName(std::move(serverName))
    , m_replyTimeout(replyTimeout)
{
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
}

bool CSingleInstance::HandOver(const QString& filePath) const
{
    const QDeadlineTimer deadline(m_replyTimeout);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
        return false;
    }
    socket.write(QFile::encodeName(QFileInfo(filePath).absoluteFilePath()) + kEndOfPath);
    QByteArray reply;
    while (reply.size() < kTaken.size() &&
           socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
        reply += socket.readAll();
    }
    return reply == kTaken;
}

bool CSingleInstance::Listen()
{
    if (m_server.listen(m_serverName)) {
        return true;
    }
    if (m_server.serverError() != QAbstractSocket::AddressInUseError || SomeoneAnswers()) {
        return false;
    }
    // The socket file of an instance that crashed stays behind with no one answering on it.
    QLocalServer::removeServer(m_serverName);
    return m_server.listen(m_serverName);
}

bool CSingleInstance::SomeoneAnswers() const
{
    QLocalSocket probe;
    probe.connectToServer(m_serverName);
    return probe.waitForConnected(static_cast<int>(m_replyTimeout.count()));
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, request = QByteArray()]() mutable { TakeRequest(socket, request); });
    }
}

void CSingleInstance::TakeRequest(QLocalSocket* socket, QByteArray& request)
{
    request += socket->readAll();
    const qsizetype end = request.indexOf(kEndOfPath);
    if (end < 0) {
        if (request.size() > kLongestRequest) {
            socket->abort();
        }
        return;
    }
    const QString path = QFile::decodeName(request.left(end));
    socket->write(kTaken.toByteArray());
    socket->disconnectFromServer();
    // Reported from the event loop rather than from inside the socket's signal: the window may
    // ask questions in a modal dialog, during which the socket goes away.
    if (!path.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this, path] { Q_EMIT FileReceived(path); }, Qt::QueuedConnection);
    }
}
