#include "view/BatchProgress.h"
#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/LookupScheduler.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A batch followed through the scheduler's signals, with a clock the test moves.
class BatchProgressTest : public testing::Test {
protected:
    void SetUp() override
    {
        tlds.ClearTLDList();
        tlds.FillDefaults();
        for (const char* name : {"a.com", "b.com", "c.com", "d.com", "e.com"}) {
            ASSERT_TRUE(doc.AdmitName(name));
        }
        doc.AnnounceAdmitted();
        QObject::connect(&progress, &CBatchProgress::Finished,
                         [this](const CBatchCounts& counts) { finished.push_back(counts); });
    }

    void Complete(int row, std::uint8_t status)
    {
        doc.ApplyLookupResult(row, {"answer", {}, status});
        Q_EMIT scheduler.LookupCompleted(row, VerdictSource::Registry);
    }

    CTLDList tlds;
    CDomainDoc doc{tlds, [](CDomainInfo&) {
                   }};
    CLookupScheduler scheduler{doc};
    std::chrono::steady_clock::time_point now{};
    CBatchProgress progress{doc, scheduler, [this] {
                                return now;
                            }};
    std::vector<CBatchCounts> finished;
};

TEST_F(BatchProgressTest, CountsTheTickedEntriesWithoutAVerdictEachOnce)
{
    for (const int row : {0, 1, 2, 3}) {
        doc.SetTicked(row, true);
    }
    Complete(3, STATUS_TAKEN); // already decided: not part of the batch
    progress.Begin();
    EXPECT_EQ(progress.Counts().total, 3);
    EXPECT_EQ(progress.Counts().timeLeft, std::nullopt);

    now += 10s;
    Complete(0, STATUS_ERROR_1);
    EXPECT_EQ(progress.Counts().checked, 1);
    EXPECT_EQ(progress.Counts().timeLeft, 20s) << "two more at ten seconds each";
    Complete(0, STATUS_AVAILABLE); // the retry after the error
    Complete(4, STATUS_AVAILABLE); // not ticked: not in the batch
    Complete(1, STATUS_AVAILABLE);
    const CBatchCounts counts = progress.Counts();
    EXPECT_EQ(counts.checked, 2) << "a retried entry is counted once";
    EXPECT_EQ(counts.available, 2);

    ASSERT_TRUE(doc.RemoveName("c.com"));
    EXPECT_EQ(progress.Counts().total, 2) << "an entry that left the list left the batch";

    Q_EMIT scheduler.Idle();
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_EQ(finished[0].checked, 2);
    EXPECT_EQ(finished[0].total, 2);
    EXPECT_FALSE(progress.IsRunning());
    Q_EMIT scheduler.Idle();
    EXPECT_EQ(finished.size(), 1u) << "an idle tick outside a batch ends nothing";
}

TEST_F(BatchProgressTest, GivenAgainWhileRunningItTakesInTheNewlyTickedEntries)
{
    doc.SetTicked(0, true);
    progress.Begin();
    Complete(0, STATUS_AVAILABLE);
    doc.SetTicked(1, true);
    doc.SetTicked(2, true);
    progress.Begin();
    const CBatchCounts counts = progress.Counts();
    EXPECT_EQ(counts.total, 3);
    EXPECT_EQ(counts.checked, 1) << "what was checked stays checked";
    EXPECT_EQ(counts.available, 1);
}

} // namespace
