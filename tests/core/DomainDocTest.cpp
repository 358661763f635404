#include "core/DomainDoc.h"
#include "core/LookupTask.h"
#include "core/Settings.h"
#include "core/TLDList.h"

#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QSignalSpy>

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

// Stands in for a running lookup: records the abort and ends on it, or never ends.
class FakeLookup : public CLookupTask {
public:
    explicit FakeLookup(bool endsWhenAborted)
        : m_endsWhenAborted(endsWhenAborted)
    {}
    void Abort() override
    {
        m_aborted = true;
        if (m_endsWhenAborted) {
            m_ended = true;
        }
    }
    bool HasEnded() const override { return m_ended; }
    bool WasAborted() const { return m_aborted; }

private:
    bool m_endsWhenAborted;
    std::atomic<bool> m_aborted{false};
    std::atomic<bool> m_ended{false};
};

class DomainDocTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        tlds.ClearTLDList();
        tlds.FillDefaults();
    }

    static void NoStatus(CDomainInfo&) {}

    CTLDList tlds;

    CDomainDoc doc{tlds, NoStatus};
};

struct AdmissionCase {
    const char* behaviour;
    const char* name;
    bool admitted;
};

class Admission : public DomainDocTest, public testing::WithParamInterface<AdmissionCase> {};

TEST_P(Admission, FollowsTheNameRules)
{
    const AdmissionCase& c = GetParam();
    EXPECT_EQ(doc.AdmitName(c.name), c.admitted) << c.behaviour;
    EXPECT_EQ(doc.GetCount(), c.admitted ? 1 : 0) << c.behaviour;
}

INSTANTIATE_TEST_SUITE_P(
    DomainDoc, Admission,
    testing::Values(
        AdmissionCase{"label and com", "example.com", true},
        AdmissionCase{"label and co.uk", "example.co.uk", true},
        AdmissionCase{"TLD in upper case", "Example.COM", true},
        AdmissionCase{"digits and inner dash", "a-1.com", true},
        AdmissionCase{"any second label before a two-letter TLD", "shop.anything.hk", true},
        AdmissionCase{"bare label", "example", false},
        AdmissionCase{"nothing before the dot", ".com", false},
        AdmissionCase{"label starting with a dash", "-example.com", false},
        AdmissionCase{"label ending with a dash", "example-.com", false},
        AdmissionCase{"underscore in the label", "ex_ample.com", false},
        AdmissionCase{"letter outside ASCII in the label", "caf\xc3\xa9.com", true},
        AdmissionCase{"symbol outside ASCII in the label", "caf\xe2\x99\xa5.com", false},
        AdmissionCase{"two-letter TLD not in the table", "example.de", false},
        AdmissionCase{"second label before a long TLD", "shop.anything.com", false},
        AdmissionCase{"three labels before a two-letter TLD", "a.b.c.hk", false},
        AdmissionCase{"68 characters",
                      "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.com",
                      false},
        AdmissionCase{"67 characters",
                      "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.com", true},
        AdmissionCase{"only white space", "   ", false}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(DomainDocTest, AdmittedNameIsTrimmedAndKeepsItsCase)
{
    EXPECT_TRUE(doc.AdmitName(" \tMyShop.com \r\n"));
    ASSERT_EQ(doc.GetCount(), 1);
    EXPECT_EQ(doc.GetAt(0)->m_strName, QByteArray("MyShop.com"));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DomainDocTest, DuplicatesAreRefusedWhateverTheirCase)
{
    EXPECT_TRUE(doc.AdmitName("example.com"));
    EXPECT_FALSE(doc.AdmitName("EXAMPLE.COM"));
    EXPECT_FALSE(doc.AdmitName("  example.com"));
    EXPECT_EQ(doc.GetCount(), 1);
    EXPECT_EQ(doc.LookupName(" Example.Com "), doc.GetAt(0));
}

TEST_F(DomainDocTest, TwoLetterTLDIsAdmittedOnceAddedToTheTable)
{
    EXPECT_FALSE(doc.AdmitName("example.de"));
    tlds.AddOrUpdateTLD("DE", "whois.denic.de");
    EXPECT_TRUE(doc.AdmitName("example.de"));
}

TEST_F(DomainDocTest, FullListRefusesFurtherNames)
{
    doc.SetMaxEntries(3);
    EXPECT_TRUE(doc.AdmitName("a.com"));
    EXPECT_TRUE(doc.AdmitName("b.com"));
    EXPECT_TRUE(doc.AdmitName("c.com"));
    EXPECT_FALSE(doc.AdmitName("d.com"));
    EXPECT_EQ(doc.GetCount(), 3);
}

TEST_F(DomainDocTest, RemovedNameCanBeAdmittedAgain)
{
    doc.AdmitName("a.com");
    doc.AdmitName("b.com");
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(doc.RemoveName(" A.COM "));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.RemoveName("a.com"));
    EXPECT_EQ(doc.LookupName("a.com"), nullptr);
    ASSERT_EQ(doc.GetCount(), 1);
    EXPECT_EQ(doc.GetAt(0)->m_strName, QByteArray("b.com"));
    EXPECT_TRUE(doc.AdmitName("a.com"));
}

TEST_F(DomainDocTest, TickingMarksModifiedAndRefreshesThatRowOnly)
{
    doc.AdmitName("a.com");
    doc.AdmitName("b.com");
    doc.SetModifiedFlag(false);
    QSignalSpy updates(&doc, &CDomainDoc::RowsChanged);
    doc.SetTicked(1, true);
    EXPECT_EQ(doc.GetAt(1)->m_bTicked, 1);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(updates.count(), 1);
    EXPECT_EQ(updates.at(0), (QVariantList{1, 1}));

    doc.SetTicked(2, true);
    doc.SetTicked(-1, true);
    EXPECT_EQ(updates.count(), 1) << "indexes outside the list are ignored";
}

TEST_F(DomainDocTest, SortingRefreshesAllRowsWithoutMarkingModified)
{
    doc.AdmitName("b.com");
    doc.AdmitName("a.com");
    doc.SetModifiedFlag(false);
    QSignalSpy updates(&doc, &CDomainDoc::RowsChanged);
    doc.SortList(DomainSort::Key::ByName);
    EXPECT_EQ(doc.GetAt(0)->m_strName, QByteArray("a.com"));
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(updates.count(), 1);
    EXPECT_EQ(updates.at(0), (QVariantList{0, 1}));
    EXPECT_EQ(doc.LookupName("b.com"), doc.GetAt(1)) << "the name index follows the new order";
}

TEST_F(DomainDocTest, FieldTextsOfEachColumn)
{
    auto stored = std::make_unique<CDomainInfo>("example.com");
    CDomainInfo& entry = *stored;
    doc.AppendEntry(std::move(stored));
    QByteArray text = "unchanged";
    doc.GetFieldText(0, 0, text);
    EXPECT_EQ(text, QByteArray("1"));
    doc.GetFieldText(0, 1, text);
    EXPECT_EQ(text, QByteArray("example.com"));
    doc.GetFieldText(0, 2, text);
    EXPECT_EQ(text, QByteArray("Unknown"));
    doc.GetFieldText(0, 3, text);
    EXPECT_EQ(text, QByteArray("-")) << "never looked up";
    doc.GetFieldText(0, 4, text);
    EXPECT_EQ(text, QByteArray("No"));

    entry.m_nStatus = STATUS_AVAILABLE;
    entry.m_bTicked = 1;
    const QDateTime when(QDate(2026, 12, 7), QTime(18, 30));
    entry.m_timeChecked = DateTimeValue::FromLocal(when);
    doc.GetFieldText(0, 2, text);
    EXPECT_EQ(text, QByteArray("*AVAILABLE*"));
    doc.GetFieldText(0, 3, text);
    const QLocale locale;
    EXPECT_EQ(text, (locale.toString(when.date(), QLocale::ShortFormat) + QStringLiteral(", ") +
                     locale.toString(when.time(), QLocale::ShortFormat))
                        .toUtf8());
    doc.GetFieldText(0, 4, text);
    EXPECT_EQ(text, QByteArray("Yes"));

    text = "unchanged";
    doc.GetFieldText(1, 1, text);
    doc.GetFieldText(0, 5, text);
    EXPECT_EQ(text, QByteArray("unchanged")) << "outside the list or the columns";
}

TEST_F(DomainDocTest, RemoveEntriesSkipsRunningLookupsAndRebuilds)
{
    for (const char* name : {"a.com", "b.com", "c.com", "d.com"}) {
        doc.AdmitName(name);
    }
    doc.BeginLookup(1, std::make_shared<FakeLookup>(true));
    doc.SetModifiedFlag(false);
    QSignalSpy updates(&doc, &CDomainDoc::ListReset);

    EXPECT_EQ(doc.RemoveEntries([](const CDomainInfo&) { return true; }), 3);
    ASSERT_EQ(doc.GetCount(), 1);
    EXPECT_EQ(doc.GetAt(0)->m_strName, QByteArray("b.com"));
    EXPECT_EQ(doc.LookupName("a.com"), nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(updates.count(), 1);

    doc.SetModifiedFlag(false);
    EXPECT_EQ(doc.RemoveEntries([](const CDomainInfo&) { return true; }), 0);
    EXPECT_FALSE(doc.IsModified()) << "nothing removed, nothing changed";
    EXPECT_EQ(updates.count(), 1);
}

TEST_F(DomainDocTest, ClearListAbortsLookupsAndReturnsOnceTheyEnd)
{
    doc.AdmitName("a.com");
    doc.AdmitName("b.com");
    auto lookup = std::make_shared<FakeLookup>(true);
    doc.BeginLookup(0, lookup);
    doc.SetModifiedFlag(false);

    QElapsedTimer timer;
    timer.start();
    doc.ClearList();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(lookup->WasAborted());
    EXPECT_EQ(doc.GetCount(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.AdmitName("a.com")) << "the name index was emptied too";
}

TEST_F(DomainDocTest, ClearListGivesUpOnALookupThatDoesNotEndAfterTwoSeconds)
{
    doc.AdmitName("a.com");
    auto stuck = std::make_shared<FakeLookup>(false);
    doc.BeginLookup(0, stuck);

    QElapsedTimer timer;
    timer.start();
    doc.ClearList();
    EXPECT_GE(timer.elapsed(), CDomainDoc::kAbortWaitMs - 50);
    EXPECT_LT(timer.elapsed(), CDomainDoc::kAbortWaitMs + 1500);
    EXPECT_TRUE(stuck->WasAborted());
    EXPECT_EQ(doc.GetCount(), 0);
    EXPECT_EQ(stuck.use_count(), 1) << "the list kept no reference to the detached lookup";
}

TEST_F(DomainDocTest, NewDocumentTakesTheSettings)
{
    doc.AdmitName("a.com");
    SetSetting(Setting::MaxEntries, 2);
    QSignalSpy updates(&doc, &CDomainDoc::ListReset);
    doc.OnNewDocument();
    EXPECT_EQ(doc.GetCount(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(doc.GetMaxEntries(), 2);
    EXPECT_EQ(updates.count(), 1);

    CTestEnvironment::Instance().Reset();
    doc.OnNewDocument();
    EXPECT_EQ(doc.GetMaxEntries(), 3000);
}

} // namespace
