#include "lookup/StatusLine.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct StatusLineCase {
    const char* behaviour;
    CListCounts counts;
    bool busy;
    bool noServerResolved;
    const char* text;
};

class StatusLine : public testing::TestWithParam<StatusLineCase> {};

TEST_P(StatusLine, ShowsTheFirstHintThatApplies)
{
    const StatusLineCase& c = GetParam();
    EXPECT_EQ(StatusLineText(c.counts, c.busy, c.noServerResolved), QString::fromLatin1(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, StatusLine,
    testing::Values(
        StatusLineCase{"empty list has no summary",
                       {0, 0, 0, 0},
                       true,
                       true,
                       "Use the 'Add Names' option to add domain names to the list. You can also "
                       "create domain names from your keywords using the 'Construct domain names' "
                       "option."},
        StatusLineCase{"busy before any server is located",
                       {5, 5, 0, 0},
                       true,
                       true,
                       "Locating Whois server. Click on the 'Stop All' button to stop. "
                       "[5 Domains, 0 checked, 0 available, 0 taken]"},
        StatusLineCase{"busy talking to servers",
                       {5, 5, 1, 2},
                       true,
                       false,
                       "Communicating with the Whois server. Click on the 'Stop All' button to "
                       "stop. [5 Domains, 3 checked, 2 available, 1 taken]"},
        StatusLineCase{"ticked entries waiting",
                       {5, 1, 0, 0},
                       false,
                       true,
                       "Use the 'Lookup Selected' option to lookup the selected domain names for "
                       "availability. [5 Domains, 0 checked, 0 available, 0 taken]"},
        StatusLineCase{"three entries none ticked",
                       {3, 0, 0, 0},
                       false,
                       false,
                       "Right click on a domain name and choose 'Check availability' to check if "
                       "the domain is available. [3 Domains, 0 checked, 0 available, 0 taken]"},
        StatusLineCase{"four entries none ticked",
                       {4, 0, 4, 0},
                       false,
                       false,
                       "Select the domains you want to lookup by clicking on the check boxes to "
                       "the left of each name. [4 Domains, 4 checked, 0 available, 4 taken]"},
        StatusLineCase{"busy while DNS settles names",
                       {8, 8, 3, 0, {3, 2}},
                       true,
                       false,
                       "Communicating with the Whois server. Click on the 'Stop All' button to "
                       "stop. [8 Domains, 3 checked, 0 available, 3 taken], 3 settled by DNS, 3 "
                       "of 5 registry queries saved"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(StatusLine, NamesTheServerTheLookupsWaitFor)
{
    using std::chrono::seconds;
    const CListCounts counts{5, 5, 1, 2};
    EXPECT_EQ(
        StatusLineText(counts, true, false, CServerWait{"whois.example.net", seconds(40), 1.4}),
        QStringLiteral("Communicating with the Whois server, waiting for whois.example.net "
                       "(asked to slow down, resumes in 40 s). Click on the 'Stop All' "
                       "button to stop. [5 Domains, 3 checked, 2 available, 1 taken]"));
    EXPECT_EQ(
        ServerWaitText({"whois.example.net", seconds(300), 1.4}),
        QStringLiteral("waiting for whois.example.net (asked to slow down, resumes in 5 min)"));
    EXPECT_EQ(ServerWaitText({"whois.example.net", std::nullopt, 1.74}),
              QStringLiteral("waiting for whois.example.net (asked to slow down, 1.7 queries a "
                             "second)"));
    EXPECT_EQ(ServerWaitText({"whois.example.net", std::nullopt, 0.05}),
              QStringLiteral("waiting for whois.example.net (asked to slow down, 3.0 queries a "
                             "minute)"));
}

} // namespace
