#include "shell/SingleInstance.h"

#include "support/CaseName.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A socket file with no one behind it, as an instance that crashed leaves it.
bool LeaveStaleSocket(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(name.size()) >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, name.constData(), name.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound && QFile::exists(path);
}

class SingleInstanceTest : public testing::Test {
protected:
    // Each test gets a server name of its own, in a folder that goes away with it.
    QString ServerName() const { return m_folder.filePath(QStringLiteral("instance")); }

    // Hands the file over from another thread, as a second start would from another process,
    // while this thread's event loop lets the first instance answer. Empty when it failed.
    bool HandOverFromSecondStart(const QString& filePath, QString* received, CSingleInstance& first)
    {
        QObject::connect(&first, &CSingleInstance::FileReceived, &first,
                         [received](const QString& path) { *received = path; });
        std::atomic<int> outcome{-1};
        std::thread second([&] {
            const CSingleInstance start(ServerName());
            outcome = start.HandOver(filePath) ? 1 : 0;
        });
        const bool finished = QTest::qWaitFor([&] { return outcome >= 0; }, 10000);
        second.join();
        QTest::qWait(10);
        return finished && outcome == 1;
    }

    QTemporaryDir m_folder;
};

struct PathCase {
    const char* behaviour;
    const char* path;
};

class HandedOverPath : public SingleInstanceTest, public testing::WithParamInterface<PathCase> {};

TEST_P(HandedOverPath, ReachesTheRunningInstanceAsAnAbsolutePath)
{
    CSingleInstance first(ServerName());
    ASSERT_TRUE(first.Listen());
    const QString path = QString::fromUtf8(GetParam().path);
    QString received;
    EXPECT_TRUE(HandOverFromSecondStart(path, &received, first));
    EXPECT_EQ(received, QDir::current().absoluteFilePath(path));
}

INSTANTIATE_TEST_SUITE_P(
    SingleInstance, HandedOverPath,
    testing::Values(PathCase{"absolute path", "/home/ann/lists/shop names.zul"},
                    PathCase{"relative path", "lists/names.zul"},
                    PathCase{"path with a line break", "/tmp/two\nlines.zul"},
                    PathCase{"non ascii path", "/tmp/caf\xc3\xa9-\xe5\x90\x8d\xe5\x89\x8d.zul"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(SingleInstanceTest, HandOverFailsQuicklyWhenNoInstanceRuns)
{
    const CSingleInstance start(ServerName());
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(start.HandOver(QStringLiteral("/tmp/a.zul")));
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
}

TEST_F(SingleInstanceTest, HandOverFailsWhenTheListenerNeverConfirms)
{
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(ServerName()));
    const CSingleInstance start(ServerName(), 200ms);
    EXPECT_FALSE(start.HandOver(QStringLiteral("/tmp/a.zul")));
}

TEST_F(SingleInstanceTest, SecondListenerLeavesTheRunningInstanceInPlace)
{
    CSingleInstance first(ServerName());
    ASSERT_TRUE(first.Listen());
    CSingleInstance second(ServerName(), 500ms);
    EXPECT_FALSE(second.Listen());
    EXPECT_FALSE(second.IsListening());
    QString received;
    EXPECT_TRUE(HandOverFromSecondStart(QStringLiteral("/tmp/kept.zul"), &received, first));
    EXPECT_EQ(received, QStringLiteral("/tmp/kept.zul"));
}

TEST_F(SingleInstanceTest, SocketLeftByACrashedInstanceIsReplaced)
{
    ASSERT_TRUE(LeaveStaleSocket(ServerName()));
    CSingleInstance first(ServerName());
    ASSERT_TRUE(first.Listen());
    QString received;
    EXPECT_TRUE(HandOverFromSecondStart(QStringLiteral("/tmp/after-crash.zul"), &received, first));
    EXPECT_EQ(received, QStringLiteral("/tmp/after-crash.zul"));
}

TEST_F(SingleInstanceTest, ReceiverMayWaitInAModalLoopWhileTheSecondStartGoesAway)
{
    CSingleInstance first(ServerName());
    ASSERT_TRUE(first.Listen());
    QStringList opened;
    QObject::connect(&first, &CSingleInstance::FileReceived, &first, [&](const QString& path) {
        QTest::qWait(300);
        opened.append(path);
    });
    QString received;
    EXPECT_TRUE(HandOverFromSecondStart(QStringLiteral("/tmp/modal.zul"), &received, first));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 5000));
    EXPECT_EQ(opened, QStringList{QStringLiteral("/tmp/modal.zul")});
}

TEST_F(SingleInstanceTest, PeerSendingNoPathIsCutOffWithoutAReport)
{
    CSingleInstance first(ServerName());
    ASSERT_TRUE(first.Listen());
    int reports = 0;
    QObject::connect(&first, &CSingleInstance::FileReceived, &first, [&] { ++reports; });
    QLocalSocket peer;
    peer.connectToServer(ServerName());
    ASSERT_TRUE(peer.waitForConnected(1000));
    peer.write(QByteArray(128 * 1024, 'x'));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return peer.state() == QLocalSocket::UnconnectedState; }, 5000));
    EXPECT_EQ(reports, 0);
}

TEST_F(SingleInstanceTest, EmptyPathIsNotReported)
{
    CSingleInstance first(ServerName());
    ASSERT_TRUE(first.Listen());
    int reports = 0;
    QObject::connect(&first, &CSingleInstance::FileReceived, &first, [&] { ++reports; });
    QLocalSocket peer;
    peer.connectToServer(ServerName());
    ASSERT_TRUE(peer.waitForConnected(1000));
    peer.write(QByteArray(1, '\0'));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return peer.state() == QLocalSocket::UnconnectedState; }, 5000));
    EXPECT_EQ(reports, 0);
}

TEST(SingleInstanceName, IsPerUser)
{
    const QString uid = QString::number(::getuid());
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", "/run/user/4242");
    EXPECT_EQ(CSingleInstance::DefaultServerName(),
              QStringLiteral("/run/user/4242/quillon-") + uid);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(CSingleInstance::DefaultServerName(), QStringLiteral("quillon-") + uid);
    if (!savedRuntime.isEmpty()) {
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
    }
}

} // namespace
