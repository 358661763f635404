#include "support/TestDnsServer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString AnswerName(CTestDnsServer::Answer answer)
{
    using Answer = CTestDnsServer::Answer;
    switch (answer) {
    case Answer::Delegated:
        return QStringLiteral("delegated");
    case Answer::Referral:
        return QStringLiteral("referral");
    case Answer::NoData:
        return QStringLiteral("nodata");
    case Answer::ParentNs:
        return QStringLiteral("parent-ns");
    case Answer::NxDomain:
        return QStringLiteral("nxdomain");
    case Answer::ServFail:
        return QStringLiteral("servfail");
    case Answer::Silent:
        return QStringLiteral("silent");
    case Answer::Truncated:
        return QStringLiteral("truncated");
    }
    return {};
}

QJsonObject RuleObject(const CTestDnsServer::Rule& rule)
{
    QJsonArray hosts;
    for (const QByteArray& host : rule.nameServers) {
        hosts.append(QString::fromLatin1(host));
    }
    return {{QStringLiteral("answer"), AnswerName(rule.answer)},
            {QStringLiteral("ns"), hosts},
            {QStringLiteral("a"), QString::fromLatin1(rule.ipv4)},
            {QStringLiteral("aaaa"), QString::fromLatin1(rule.ipv6)},
            {QStringLiteral("delay"), static_cast<double>(rule.delay.count()) / 1000.0}};
}

QString LogPath(const QTemporaryDir& folder)
{
    return folder.filePath(QStringLiteral("questions.log"));
}

} // namespace

CTestDnsServer::CTestDnsServer(const QHash<QByteArray, Rule>& rules)
{
    QJsonObject names;
    for (auto rule = rules.begin(); rule != rules.end(); ++rule) {
        names.insert(QString::fromLatin1(rule.key()), RuleObject(rule.value()));
    }
    m_process.start(QStringLiteral(QUILLON_TEST_PYTHON),
                    {QStringLiteral(QUILLON_TEST_DNS_SERVER), LogPath(m_folder)});
    m_process.write(QJsonDocument(QJsonObject{{QStringLiteral("names"), names}})
                        .toJson(QJsonDocument::Compact) +
                    '\n');
    while (m_process.bytesToWrite() > 0 && m_process.waitForBytesWritten(10000)) {
    }
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_port = static_cast<quint16>(m_process.readLine().trimmed().toUInt());
}

CTestDnsServer::~CTestDnsServer()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QByteArray CTestDnsServer::Address() const
{
    return "127.0.0.1:" + QByteArray::number(m_port);
}

QByteArrayList CTestDnsServer::Questions() const
{
    QFile log(LogPath(m_folder));
    if (!log.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArrayList questions = log.readAll().split('\n');
    questions.removeAll(QByteArray());
    return questions;
}

int CTestDnsServer::QuestionsAbout(QByteArrayView name) const
{
    const QByteArray prefix = name.toByteArray().toLower() + ' ';
    int count = 0;
    for (const QByteArray& question : Questions()) {
        count += question.startsWith(prefix) ? 1 : 0;
    }
    return count;
}
