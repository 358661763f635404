#include "support/TestHttpServer.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kIoWaitMs = 5000;
// An endless body stops by itself after this much.
constexpr qsizetype kEndlessLimit = 16 * 1024 * 1024;

struct CTestCertificate {
    QTemporaryDir folder;
    QSslConfiguration configuration;

    CTestCertificate()
    {
        const QString key = folder.filePath(QStringLiteral("key.pem"));
        const QString certificate = folder.filePath(QStringLiteral("cert.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                       QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                       QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                       QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificate,
                       QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                       QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                       QStringLiteral("subjectAltName=IP:127.0.0.1")});
        openssl.waitForFinished();
        QFile keyFile(key);
        keyFile.open(QIODevice::ReadOnly);
        configuration = QSslConfiguration::defaultConfiguration();
        configuration.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec));
        configuration.setLocalCertificateChain(QSslCertificate::fromPath(certificate));
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    }

    QByteArray Path() const { return folder.filePath(QStringLiteral("cert.pem")).toUtf8(); }
};

const CTestCertificate& Certificate()
{
    static const CTestCertificate certificate;
    return certificate;
}

QByteArray ReasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 429:
        return "Too Many Requests";
    default:
        return "Status";
    }
}

void WriteAll(QTcpSocket& socket, QByteArrayView data)
{
    socket.write(data.constData(), data.size());
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kIoWaitMs)) {
    }
}

} // namespace

CTestHttpServer::CTestHttpServer(Tls tls)
    : m_tls(tls)
{
    if (m_tls == Tls::On) {
        Certificate();
    }
    Start();
}

CTestHttpServer::~CTestHttpServer()
{
    Stop();
}

QByteArray CTestHttpServer::BaseUrl() const
{
    return (m_tls == Tls::On ? "https" : "http") + QByteArray("://127.0.0.1:") +
           QByteArray::number(Port()) + '/';
}

QByteArray CTestHttpServer::CaFile()
{
    return Certificate().Path();
}

void CTestHttpServer::SetDefault(Script script)
{
    const std::lock_guard lock(m_mutex);
    m_default = std::move(script);
}

void CTestHttpServer::SetScript(const QByteArray& path, Script script)
{
    const std::lock_guard lock(m_mutex);
    m_scripts.insert(path, std::move(script));
}

std::vector<QPair<QByteArray, QByteArray>> CTestHttpServer::Requests() const
{
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

void CTestHttpServer::Serve(int client)
{
    // The socket object closes its own copy of the descriptor; the listener closes the other.
    QSslSocket socket;
    socket.setSocketDescriptor(::dup(client));
    if (m_tls == Tls::On) {
        socket.setSslConfiguration(Certificate().configuration);
        socket.startServerEncryption();
        if (!socket.waitForEncrypted(kIoWaitMs)) {
            return;
        }
    }
    QByteArray path;
    QByteArray accept;
    if (ReadRequest(socket, path, accept)) {
        {
            const std::lock_guard lock(m_mutex);
            m_requests.emplace_back(path, accept);
        }
        Respond(socket, ScriptFor(path));
    }
}

bool CTestHttpServer::ReadRequest(QTcpSocket& socket, QByteArray& path, QByteArray& accept)
{
    // The request may have arrived with the end of the TLS handshake, before any wait.
    QByteArray request = socket.readAll();
    while (!request.contains("\r\n\r\n")) {
        if (request.size() > 64 * 1024 || !socket.waitForReadyRead(kIoWaitMs)) {
            return false;
        }
        request += socket.readAll();
    }
    const QList<QByteArray> lines = request.first(request.indexOf("\r\n\r\n")).split('\n');
    path = lines.first().split(' ').value(1);
    for (const QByteArray& line : lines) {
        if (line.toLower().startsWith("accept:")) {
            accept = line.mid(7).trimmed();
        }
    }
    return true;
}

void CTestHttpServer::Respond(QTcpSocket& socket, const Script& script)
{
    if (!WaitUnlessReleased(script.delay) || script.mode == Mode::Stall) {
        HoldUntilClientLeaves(socket);
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(script.status) + ' ' +
                      ReasonPhrase(script.status) + "\r\nConnection: close\r\n" +
                      "Content-Type: application/rdap+json\r\n";
    for (const auto& [name, value] : script.headers) {
        head += name + ": " + value + "\r\n";
    }
    if (script.mode == Mode::Endless) {
        WriteAll(socket, head + "\r\n");
        const QByteArray block(64 * 1024, ' ');
        for (qsizetype sent = 0;
             sent < kEndlessLimit && socket.state() == QTcpSocket::ConnectedState;
             sent += block.size()) {
            WriteAll(socket, block);
        }
        return;
    }
    WriteAll(socket,
             head + "Content-Length: " + QByteArray::number(script.body.size()) + "\r\n\r\n");
    if (script.mode == Mode::Answer) {
        WriteAll(socket, script.body);
        return;
    }
    WriteAll(socket, QByteArrayView(script.body).first(script.body.size() / 2));
    if (script.mode == Mode::StallMidBody) {
        HoldUntilClientLeaves(socket);
        return;
    }
    const linger abortive{1, 0};
    ::setsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive,
                 sizeof abortive);
}

CTestHttpServer::Script CTestHttpServer::ScriptFor(const QByteArray& path) const
{
    const std::lock_guard lock(m_mutex);
    return m_scripts.value(path, m_default);
}

void CTestHttpServer::HoldUntilClientLeaves(QTcpSocket& socket)
{
    while (WaitUnlessReleased(std::chrono::milliseconds(20))) {
        socket.waitForReadyRead(0);
        socket.readAll();
        if (socket.state() != QTcpSocket::ConnectedState) {
            return;
        }
    }
}
