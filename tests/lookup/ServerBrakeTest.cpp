// The brake of one server on a clock the tests move by hand.

#include "lookup/ServerBrake.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = CServerBrake::Clock;
using Verdict = CServerBrake::ThrottleVerdict;

struct RunFigures {
    double seconds = 0;
    int throttles = 0;
    int failures = 0;
};

// `names` lookups paced as the scheduler paces them (a tick every 0.2 s, at most 10 at once, each
// answered 50 ms after it starts) against a registry's token bucket of `perSecond` and `burst`.
RunFigures RunAgainstBucket(CServerBrake& brake, double perSecond, int burst, int names)
{
    struct InFlight {
        Clock::time_point sentAt;
        bool served;
    };
    const Clock::time_point start{};
    Clock::time_point now = start;
    double tokens = burst;
    Clock::time_point filledAt = start;
    std::vector<InFlight> inFlight;
    RunFigures figures;
    int answered = 0;
    int waiting = names;
    while (answered < names && now - start < 3600s) {
        for (const InFlight& query : inFlight) {
            const Clock::time_point at = query.sentAt + 50ms;
            if (query.served) {
                ++answered;
                brake.OnAnswered(at);
            } else {
                ++figures.throttles;
                ++waiting;
                figures.failures +=
                    brake.OnThrottled(query.sentAt, at, std::nullopt) == Verdict::Fail ? 1 : 0;
            }
        }
        inFlight.clear();
        while (waiting > 0 && inFlight.size() < 10 && brake.MayStart(now)) {
            const std::chrono::duration<double> refill = now - filledAt;
            tokens = std::min<double>(burst, tokens + refill.count() * perSecond);
            filledAt = now;
            const bool served = tokens >= 1;
            tokens -= served ? 1 : 0;
            inFlight.push_back({now, served});
            brake.OnStarted(now);
            --waiting;
        }
        now += 200ms;
    }
    figures.seconds = std::chrono::duration<double>(now - start).count();
    return figures;
}

TEST(ServerBrake, SettlesJustUnderWhatTheServerAllows)
{
    CServerBrake brake(900s);
    const RunFigures figures = RunAgainstBucket(brake, 2, 10, 300);
    // The bucket's own bound: the burst at once, then two a second.
    const double bound = 10 + 290 / 2.0;
    EXPECT_LE(figures.seconds, 1.5 * bound);
    EXPECT_EQ(figures.failures, 0);
    EXPECT_LT(figures.throttles, 40) << "a throttle now and then, not one per name";
    ASSERT_TRUE(brake.Rate());
    EXPECT_GT(*brake.Rate(), 1.0);
}

TEST(ServerBrake, NothingIsHeldBackBeforeTheFirstThrottle)
{
    CServerBrake brake(900s);
    const Clock::time_point now{};
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(brake.MayStart(now));
        brake.OnStarted(now);
    }
    EXPECT_FALSE(brake.Rate());
}

TEST(ServerBrake, RetryAfterPausesForThatLong)
{
    CServerBrake brake(900s);
    const Clock::time_point sent{};
    brake.OnThrottled(sent, sent + 1s, 40s);
    EXPECT_FALSE(brake.MayStart(sent + 40s));
    EXPECT_TRUE(brake.MayStart(sent + 41s + 1ms));
}

TEST(ServerBrake, ThrottleBeforeAnyAnswerPausesForSecondsNotAMinute)
{
    CServerBrake brake(900s);
    const Clock::time_point sent{};
    brake.OnThrottled(sent, sent + 10ms, std::nullopt);
    EXPECT_FALSE(brake.MayStart(sent + 1s));
    EXPECT_TRUE(brake.MayStart(sent + 2s)) << "a short batch is not held up for a minute";
}

TEST(ServerBrake, ThrottlesInARowDoubleThePauseUpToTheLongestThenFailTheName)
{
    CServerBrake brake(60s);
    Clock::time_point now{};
    for (int i = 0; i < 20; ++i) { // two answers a second until the first throttle
        now += 500ms;
        brake.OnAnswered(now);
    }
    std::vector<double> pauses;
    Verdict verdict = Verdict::Wait;
    while (verdict == Verdict::Wait && pauses.size() < 20) {
        now = std::max(now, brake.PausedUntil());
        brake.OnStarted(now);
        verdict = brake.OnThrottled(now, now + 10ms, std::nullopt);
        pauses.push_back(std::chrono::duration<double>(brake.PausedUntil() - (now + 10ms)).count());
    }
    ASSERT_EQ(verdict, Verdict::Fail);
    ASSERT_GE(pauses.size(), 4u);
    for (std::size_t i = 1; i + 2 < pauses.size(); ++i) {
        EXPECT_GT(pauses[i], 1.5 * pauses[i - 1]) << "pause " << i;
    }
    EXPECT_DOUBLE_EQ(pauses[pauses.size() - 2], 60.0) << "the longest back-off is the ceiling";

    brake.OnAnswered(now + 1s);
    EXPECT_EQ(brake.OnThrottled(now + 2s, now + 3s, std::nullopt), Verdict::Wait)
        << "an answer between ends the run of throttles";
}

TEST(ServerBrake, ThrottleOfAQuerySentBeforeTheCutChangesNothing)
{
    CServerBrake brake(900s);
    const Clock::time_point sent{};
    brake.OnAnswered(sent);
    brake.OnThrottled(sent, sent + 1s, std::nullopt);
    const double rate = brake.Rate().value();
    const Clock::time_point pausedUntil = brake.PausedUntil();
    EXPECT_EQ(brake.OnThrottled(sent + 500ms, sent + 2s, std::nullopt), Verdict::Wait);
    EXPECT_EQ(brake.Rate().value(), rate);
    EXPECT_EQ(brake.PausedUntil(), pausedUntil);
}

} // namespace
