#include "core/NameTokens.h"
#include "core/DomainDoc.h"
#include "core/TLDList.h"

#include "support/ListNames.h"

#include <gtest/gtest.h>

namespace {

class NameTokensTest : public testing::Test {
protected:
    void SetUp() override
    {
        tlds.ClearTLDList();
        tlds.FillDefaults();
    }

    QByteArrayList Names() const { return ListNames(doc); }

    CTLDList tlds;

    CDomainDoc doc{tlds, [](CDomainInfo&) {
                   }};
};

TEST_F(NameTokensTest, RunsOfTheFiveSeparatorsMakeOneBreakAndTabsStayInside)
{
    const QList<QByteArrayView> tokens = SplitNameTokens(" alpha,,beta;\r\ngamma\tdelta ;");
    ASSERT_EQ(tokens.size(), 3);
    EXPECT_EQ(tokens[0], QByteArrayView("alpha"));
    EXPECT_EQ(tokens[1], QByteArrayView("beta"));
    EXPECT_EQ(tokens[2], QByteArrayView("gamma\tdelta"));
    EXPECT_TRUE(SplitNameTokens(" ,;\r\n ").isEmpty());
}

TEST_F(NameTokensTest, BareNamesTakeEachTickedTLDInTableOrderAndItsCase)
{
    const QByteArrayList tlds = {"COM", "NET"};
    EXPECT_EQ(AdmitNameTokens(doc, "alpha, beta.org", tlds), 3);
    EXPECT_EQ(Names(), (QByteArrayList{"alpha.COM", "alpha.NET", "beta.org"}));
}

TEST_F(NameTokensTest, SuffixOutsideTheTableCountsAsBare)
{
    EXPECT_EQ(AdmitNameTokens(doc, "alpha.xyz", {"COM"}), 0)
        << "alpha.xyz.COM has a second label before a long TLD";
    tlds.AddOrUpdateTLD("DE", "whois.denic.de");
    EXPECT_EQ(AdmitNameTokens(doc, "alpha.xyz", {"DE"}), 1);
    EXPECT_EQ(Names(), QByteArrayList{"alpha.xyz.DE"});
}

TEST_F(NameTokensTest, WithoutTLDsOnlyFullNamesEnter)
{
    EXPECT_EQ(AdmitNameTokens(doc, "alpha beta.com", {}), 1);
    EXPECT_EQ(Names(), QByteArrayList{"beta.com"});
}

TEST_F(NameTokensTest, NameTypedTwiceOrMadeAgainEntersOnce)
{
    EXPECT_EQ(AdmitNameTokens(doc, "alpha.com alpha ALPHA.COM", {"COM"}), 1);
    EXPECT_EQ(Names(), QByteArrayList{"alpha.com"});
}

TEST_F(NameTokensTest, TabbedNamesAreOneInvalidToken)
{
    EXPECT_EQ(AdmitNameTokens(doc, "alpha.com\tbeta.com", {"COM"}), 0);
    EXPECT_EQ(doc.GetCount(), 0);
}

TEST_F(NameTokensTest, TLDsForNewNamesFollowTheFlags)
{
    EXPECT_EQ(TLDsForNewNames(tlds), QByteArrayList{"COM"});
    tlds.GetAt(11)->m_bUseForNew = 1;
    tlds.GetAt(3)->m_bUseForNew = 1;
    EXPECT_EQ(TLDsForNewNames(tlds), (QByteArrayList{"COM", "CO.UK", "HK"}));
}

} // namespace
