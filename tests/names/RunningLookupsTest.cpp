#include "NamesTestFixture.h"

#include "lookup/AnswerAnalysis.h"
#include "lookup/LookupScheduler.h"
#include "names/AddNamesDialog.h"
#include "names/ConstructNamesDialog.h"
#include "names/NameCommands.h"

#include "support/TestWhoisServer.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// Names are added while a lookup runs for an entry already listed: the lookup must finish on
// its own entry as if nothing had happened.
class RunningLookupsTest : public NamesTestFixture {
protected:
    void SetUp() override
    {
        NamesTestFixture::SetUp();
        tlds.ClearTLDList();
        tlds.AddOrUpdateTLD("COM", server.Address());
        tlds.GetAt(0)->m_bUseForNew = 1;
        server.SetDefault(CTestWhoisServer::Script::Answer("No match for domain.\r\n", 400ms));
        scheduler = std::make_unique<CLookupScheduler>(doc);
        scheduler->SetInterval(1h);
        scheduler->SetTimeouts({2s, 5s});
        ASSERT_TRUE(doc.AdmitName("busy.com"));
        ASSERT_TRUE(scheduler->CheckDomain(0));
        running = doc.GetAt(0);
    }

    void TearDown() override
    {
        scheduler.reset();
        doc.ClearList();
        tlds.ClearTLDList();
        NamesTestFixture::TearDown();
    }

    void ExpectTheLookupEndsOnItsEntry()
    {
        EXPECT_EQ(doc.GetAt(0), running);
        EXPECT_TRUE(scheduler->IsLookupRunning(0)) << "the batch must not stop the lookup";
        ASSERT_TRUE(QTest::qWaitFor([this] { return !scheduler->IsLookupRunning(0); }, 10000));
        EXPECT_EQ(doc.GetAt(0), running);
        EXPECT_EQ(running->m_nStatus, STATUS_AVAILABLE);
        for (int i = 1; i < doc.GetCount(); ++i) {
            EXPECT_EQ(doc.GetAt(i)->m_nStatus, STATUS_UNKNOWN) << doc.GetAt(i)->m_strName.data();
        }
    }

    CTestWhoisServer server;
    std::unique_ptr<CLookupScheduler> scheduler;
    const CDomainInfo* running = nullptr;
};

TEST_F(RunningLookupsTest, AddNamesBatchLeavesTheLookupRunning)
{
    OnNextModal<CAddNamesDialog>([](CAddNamesDialog& dialog) {
        Control<QPlainTextEdit>(dialog, "names").setPlainText(QStringLiteral("alpha beta busy"));
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_EQ(Names(), (QByteArrayList{"busy.com", "alpha.COM", "beta.COM"}));
    ExpectTheLookupEndsOnItsEntry();
}

TEST_F(RunningLookupsTest, ConstructBatchLeavesTheLookupRunning)
{
    OnNextModal<CConstructNamesDialog>([](CConstructNamesDialog& dialog) {
        Control<QComboBox>(dialog, "keyword").setEditText(QStringLiteral("busy"));
        Control<QPlainTextEdit>(dialog, "beginningWords").setPlainText(QStringLiteral("free"));
        Control<QPlainTextEdit>(dialog, "endWords").setPlainText(QStringLiteral("web"));
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunConstructNamesCommand(nullptr, doc);
    EXPECT_EQ(Names(), (QByteArrayList{"busy.com", "freebusy.COM", "busyweb.COM"}));
    ExpectTheLookupEndsOnItsEntry();
}

} // namespace
