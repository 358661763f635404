#include "core/DomainInfo.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct StoredNameCase {
    const char* behaviour;
    QByteArray stored;
    QByteArray name;
    QByteArray dns;
    std::uint8_t marker;
    std::int32_t number;
    QByteArray writtenBack;
};

class StoredName : public testing::TestWithParam<StoredNameCase> {};

TEST_P(StoredName, IsTakenApartAndWrittenBack)
{
    const StoredNameCase& c = GetParam();
    CDomainInfo entry;
    entry.SetStoredName(c.stored);
    EXPECT_EQ(entry.m_strName, c.name) << c.behaviour;
    EXPECT_EQ(entry.m_strDNS, c.dns) << c.behaviour;
    EXPECT_EQ(entry.m_nSuffixMarker, c.marker) << c.behaviour;
    EXPECT_EQ(entry.m_nSuffixNumber, c.number) << c.behaviour;
    EXPECT_EQ(entry.GetStoredName(), c.writtenBack) << c.behaviour;
}

INSTANTIATE_TEST_SUITE_P(
    DomainInfo, StoredName,
    testing::Values(
        StoredNameCase{"all three suffixes", "example.com~192.0.2.7@2!3", "example.com",
                       "192.0.2.7", 2, 3, "example.com~192.0.2.7@2!3"},
        StoredNameCase{"plain name", "example.com", "example.com", "", 0, 0, "example.com"},
        StoredNameCase{"marker 1 only", "example.com@1", "example.com", "", 1, 0, "example.com@1"},
        StoredNameCase{"address text Error", "example.com~Error", "example.com", "Error", 0, 0,
                       "example.com~Error"},
        StoredNameCase{"marker found anywhere and every copy removed", "ex@1ample.com@1",
                       "example.com", "", 1, 0, "example.com@1"},
        StoredNameCase{"marker 1 wins over marker 2", "a@2b.com@1", "a@2b.com", "", 1, 0,
                       "a@2b.com@1"},
        StoredNameCase{"number read up to its first non-digit", "example.com!12abc", "example.com",
                       "", 0, 12, "example.com!12"},
        StoredNameCase{"number that is no number reads as 0", "example.com!abc", "example.com", "",
                       0, 0, "example.com"},
        StoredNameCase{"huge number saturates", "example.com!99999999999", "example.com", "", 0,
                       2147483647, "example.com!2147483647"},
        StoredNameCase{"address text ends at the number", "example.com~10.0.0.1!7", "example.com",
                       "10.0.0.1", 0, 7, "example.com~10.0.0.1!7"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(DomainInfo, NewRecordHasTheDocumentedInitialState)
{
    const CDomainInfo entry("example.com");
    EXPECT_EQ(entry.m_strName, QByteArray("example.com"));
    EXPECT_TRUE(entry.m_strInfo.isEmpty());
    EXPECT_EQ(entry.m_timeChecked.GetStatus(), DateTimeValue::Null);
    EXPECT_EQ(entry.m_timeChecked.GetDays(), 0.0);
    EXPECT_EQ(entry.m_bTicked, 0);
    EXPECT_EQ(entry.m_nStatus, STATUS_UNKNOWN);
    EXPECT_EQ(entry.m_nPrevStatus, STATUS_UNKNOWN);
    EXPECT_FALSE(entry.IsLookupRunning());
}

TEST(DomainInfo, StatusTextsOfTheListAndOfPrintouts)
{
    const std::pair<std::uint8_t, const char*> listTexts[] = {
        {0, "Unknown"},         {1, "Checking"}, {2, "Not Available"}, {3, "*AVAILABLE*"},
        {4, "Too many errors"}, {5, "Error"},    {6, "Error"},         {8, "Error"},
        {9, "Error"},           {255, "Error"},
    };
    for (const auto& [status, text] : listTexts) {
        EXPECT_EQ(StatusText(status), QByteArray(text)) << int(status);
    }

    CDomainInfo taken("example.com");
    taken.m_nStatus = STATUS_TAKEN;
    EXPECT_EQ(PrintStatusText(taken), QByteArray("Taken"));
    taken.m_strDNS = "192.0.2.1";
    EXPECT_EQ(PrintStatusText(taken), QByteArray("Taken [DNS: 192.0.2.1]"));
    EXPECT_EQ(StatusText(taken.m_nStatus), QByteArray("Not Available"));

    taken.m_nStatus = STATUS_AVAILABLE;
    EXPECT_EQ(PrintStatusText(taken), QByteArray("*AVAILABLE*"));
}

} // namespace
