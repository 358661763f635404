#include "lookup/HostRecord.h"

#include <atomic>
#include <future>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

using State = CHostRecord::State;

// Each waiter below polls only every 30 s, so a wait that ends within seconds was woken.
constexpr std::chrono::milliseconds kLongPoll = 30s;

std::future<CHostRecord::Snapshot> WaitOn(const CHostRecord& host, const std::atomic_bool& stop)
{
    return std::async(std::launch::async, [&host, &stop] {
        return host.WaitWhileUnresolved(kLongPoll, [&stop] { return stop.load(); });
    });
}

TEST(HostRecordTest, WaitersWakeWhenTheAddressArrivesOrIsWithdrawn)
{
    const std::atomic_bool never{false};
    CHostRecord resolved;
    auto first = WaitOn(resolved, never);
    auto second = WaitOn(resolved, never);
    std::this_thread::sleep_for(100ms);
    resolved.SetResolved({QHostAddress::LocalHost}, "whois.example", 4343);
    ASSERT_EQ(first.wait_for(10s), std::future_status::ready);
    ASSERT_EQ(second.wait_for(10s), std::future_status::ready);
    const CHostRecord::Snapshot snapshot = first.get();
    EXPECT_EQ(snapshot.state, State::Resolved);
    EXPECT_EQ(snapshot.port, 4343);
    EXPECT_EQ(second.get().hostName, QByteArray("whois.example"));

    CHostRecord withdrawn;
    auto waiter = WaitOn(withdrawn, never);
    std::this_thread::sleep_for(100ms);
    withdrawn.Withdraw();
    ASSERT_EQ(waiter.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(waiter.get().state, State::Withdrawn);
}

TEST(HostRecordTest, WakingWaitersEndsTheWaitOfOneThatWasToldToStop)
{
    CHostRecord host;
    std::atomic_bool stop{false};
    auto waiter = WaitOn(host, stop);
    std::this_thread::sleep_for(100ms);
    stop = true;
    host.WakeWaiters();
    ASSERT_EQ(waiter.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(waiter.get().state, State::Unresolved);
}

TEST(HostRecordTest, WithdrawnRecordStaysWithdrawn)
{
    CHostRecord host;
    host.Withdraw();
    host.SetResolved({QHostAddress::LocalHost}, "whois.example", 43);
    host.Clear();
    EXPECT_EQ(host.Get().state, State::Withdrawn);
    EXPECT_FALSE(host.IsResolved());
}

} // namespace
