#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>

// A DNS server for tests on 127.0.0.1 at a UDP port of its own (tests/support/dns-test-server.py,
// on Debian's python3-dnslib). Each name gets the answer of its rule; a name without a rule does
// not exist. The rules are fixed when the server starts.
class CTestDnsServer {
public:
    enum class Answer {
        Delegated,
        Referral,
        NoData,
        ParentNs,
        NxDomain,
        ServFail,
        Silent,
        Truncated
    };

    struct Rule {
        Answer answer = Answer::Delegated;
        QByteArrayList nameServers{"ns1.example.net", "ns2.example.net"};
        QByteArray ipv4;
        QByteArray ipv6;
        // How long every answer about the name waits.
        std::chrono::milliseconds delay{0};

        static Rule With(Answer answer, QByteArray ipv4 = {}, QByteArray ipv6 = {})
        {
            Rule rule;
            rule.answer = answer;
            rule.ipv4 = std::move(ipv4);
            rule.ipv6 = std::move(ipv6);
            return rule;
        }
    };

    explicit CTestDnsServer(const QHash<QByteArray, Rule>& rules);
    ~CTestDnsServer();
    CTestDnsServer(const CTestDnsServer&) = delete;
    CTestDnsServer& operator=(const CTestDnsServer&) = delete;

    bool IsRunning() const { return m_port != 0; }
    // "127.0.0.1:<port>", as the "DNS Server" setting names it.
    QByteArray Address() const;
    // Every question received, as "name TYPE" ("example.com NS"), in arrival order.
    QByteArrayList Questions() const;
    // How many questions named this name, whatever their type.
    int QuestionsAbout(QByteArrayView name) const;

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    quint16 m_port = 0;
};
