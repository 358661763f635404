#include "web/PaymentQuestion.h"

#include "core/DomainInfo.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

const char kAskNetworkSolutions[] =
    "\r\n\r\nDo you want to try the payment status at Network Solutions.?\r\n";
const char kOnlyNetworkSolutions[] =
    "This will work only if the registrar for the domain is Network Solutions.";

struct QuestionCase {
    const char* behaviour;
    std::uint8_t status;
    const char* record;
    // Empty when no question is asked.
    QString expected;
};

void PrintTo(const QuestionCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

class PaymentStatusQuestions : public testing::TestWithParam<QuestionCase> {};

TEST_P(PaymentStatusQuestions, AskWhatTheRecordCallsFor)
{
    const QuestionCase& c = GetParam();
    CDomainInfo entry("alpha.com");
    entry.m_nStatus = c.status;
    entry.m_strInfo = c.record;
    const std::optional<CPrompt> question = PaymentStatusQuestion(entry);
    if (c.expected.isEmpty()) {
        EXPECT_FALSE(question.has_value()) << question->text.toStdString();
        return;
    }
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->buttons, CPrompt::Buttons::YesNo);
    EXPECT_EQ(question->text, c.expected);
}

QString Latin1(const char* text)
{
    return QString::fromLatin1(text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PaymentStatusQuestions,
    testing::Values(
        QuestionCase{"expires line written with a capital is quoted in lower case", STATUS_TAKEN,
                     "Registrar: EXAMPLE REGISTRAR\r\nRecord Expires on 07-Dec-2027.\r\n"
                     "Name Servers:\r\n",
                     Latin1("As per the domain name records this domain expires on 07-dec-2027.") +
                         Latin1(kAskNetworkSolutions) + Latin1(kOnlyNetworkSolutions)},
        QuestionCase{"network solutions as registrar drops the last sentence", STATUS_TAKEN,
                     "Registrar: NETWORK SOLUTIONS, INC.\r\nRecord expires on 07-Dec-2027.\r\n",
                     Latin1("As per the domain name records this domain expires on 07-dec-2027.") +
                         Latin1(kAskNetworkSolutions)},
        QuestionCase{"network solutions written otherwise keeps the last sentence", STATUS_TAKEN,
                     "Registrar: Network Solutions, Inc.\r\nRecord expires on 07-Dec-2027.\r\n",
                     Latin1("As per the domain name records this domain expires on 07-dec-2027.") +
                         Latin1(kAskNetworkSolutions) + Latin1(kOnlyNetworkSolutions)},
        QuestionCase{"expiry line is quoted on a line of its own", STATUS_TAKEN,
                     "Domain Name: ALPHA.COM\r\nRegistry Expiry Date: 2027-12-07T00:00:00Z\r\n",
                     Latin1("The domain name records contain this.\r\nexpiry date: "
                            "2027-12-07t00:00:00z") +
                         Latin1(kAskNetworkSolutions) + Latin1(kOnlyNetworkSolutions)},
        QuestionCase{"expires wins over an earlier expiry", STATUS_TAKEN,
                     "Expiry: soon\r\nExpires: 2027\r\n",
                     Latin1("As per the domain name records this domain expires: 2027") +
                         Latin1(kAskNetworkSolutions) + Latin1(kOnlyNetworkSolutions)},
        QuestionCase{"expires without a line end after it asks nothing", STATUS_TAKEN,
                     "Registrar: X\r\nExpiry Date: 2027\r\nExpires 2027", QString()},
        QuestionCase{"available name without an expiry line asks before going on", STATUS_AVAILABLE,
                     "No match for \"ALPHA.COM\".\r\n",
                     Latin1("This domain appears to be unregistered!\r\nDo you still wish to try "
                            "the NS website for payment status?")},
        QuestionCase{"taken name without an expiry line asks nothing", STATUS_TAKEN,
                     "Registrar: EXAMPLE REGISTRAR\r\nName Servers:\r\n", QString()},
        QuestionCase{"never looked up asks nothing", STATUS_UNKNOWN, "", QString()}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
