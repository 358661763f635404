#include "lookup/AnswerLines.h"

#include "support/CaseName.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace {

using AnswerLines::Shape;

struct LineCase {
    const char* behaviour;
    QByteArray text;
    Shape shape;
    QByteArray key;
    QByteArray value;
    bool comment;
};

class LineShape : public testing::TestWithParam<LineCase> {};

TEST_P(LineShape, IsReadAsTheRegistryLaidItOut)
{
    const LineCase& c = GetParam();
    const AnswerLines::Line line = AnswerLines::ReadLine(c.text);
    EXPECT_EQ(line.shape, c.shape);
    EXPECT_EQ(line.key.toByteArray(), c.key);
    EXPECT_EQ(line.value.toByteArray(), c.value);
    EXPECT_EQ(line.comment, c.comment);
}

INSTANTIATE_TEST_SUITE_P(
    AnswerLines, LineShape,
    testing::Values(
        LineCase{"indented field with blanks around its value", "   Registrar: MarkMonitor Inc. ",
                 Shape::Field, "Registrar:", "MarkMonitor Inc.", false},
        LineCase{"field without a blank after its colon", "Domain Name:GOOGLE.INFO", Shape::Field,
                 "Domain Name:", "GOOGLE.INFO", false},
        LineCase{"field name in brackets", "[Registrant]   Google Japan", Shape::Field,
                 "[Registrant]", "Google Japan", false},
        LineCase{"field name with a dot leader", " Complete Domain Name........: google.ai",
                 Shape::Field, "Complete Domain Name........:", "google.ai", false},
        LineCase{"section name ending in a colon is a field without a value",
                 "Technical contact(s):", Shape::Field, "Technical contact(s):", "", false},
        LineCase{"tab-separated field", "Status:\tNOT AVAILABLE", Shape::Field,
                 "Status:", "NOT AVAILABLE", false},
        LineCase{"closing line loses its quote marks",
                 ">>> Last update of WHOIS database: 2017-07-31T23:59:53Z <<<", Shape::Field,
                 "Last update of WHOIS database:", "2017-07-31T23:59:53Z", false},
        LineCase{"plain words on their own are a heading", "Nameservers", Shape::Heading,
                 "Nameservers", "", false},
        LineCase{"comment statement is a heading of a comment line", "% nothing found",
                 Shape::Heading, "nothing found", "", true},
        LineCase{"colon of a URL does not make a field",
                 "Registrant data available at http://dns.pl/cgi-bin/en_whois.pl", Shape::Prose, "",
                 "", false},
        LineCase{"label before a sentence is running text with a key",
                 "TERMS OF USE: You are not authorized to access or query our Whois", Shape::Prose,
                 "TERMS OF USE:", "You are not authorized to access or query our Whois", false},
        LineCase{"long key is running text",
                 "URL of the ICANN Whois Inaccuracy Complaint Form: https://www.icann.org/wicf/",
                 Shape::Prose, "", "", false},
        LineCase{"quoted name is no heading", "No match for \"U34JEDZCQ.COM\".", Shape::Prose, "",
                 "", false},
        LineCase{"version number is no heading", "Whois Server Version 2.0", Shape::Prose, "", "",
                 false},
        LineCase{"lone comment mark separates paragraphs", "%", Shape::Blank, "", "", true},
        LineCase{"ruler separates paragraphs", " ------------------------", Shape::Blank, "", "",
                 false},
        LineCase{"indented comment mark", "   # Copyright (c) 1997- .SE", Shape::Prose, "", "",
                 true}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
