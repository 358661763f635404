#include "core/ByteText.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct EscapeCase {
    const char* behaviour;
    QByteArray bytes;
    QByteArray kept;
    QByteArray shown;
};

void PrintTo(const EscapeCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

const EscapeCase kEscapeCases[] = {
    {"plain text stays as it is", "Domain Name: EXAMPLE.COM", "", "Domain Name: EXAMPLE.COM"},
    {"escape, bell and delete are written out", "a\x1b]0;pwned\x07z\x7f", "",
     "a\\x1b]0;pwned\\x07z\\x7f"},
    {"line breaks are escaped unless kept", "one\r\ntwo\tthree", "\n\t", "one\\x0d\ntwo\tthree"},
    {"a C1 control in UTF-8 is escaped and the letters around it stay",
     "caf\xc3\xa9 \xc2\x9b"
     "31m \xc5\x91",
     "",
     "caf\xc3\xa9 \\x9b"
     "31m \xc5\x91"},
    {"Latin-1 text keeps its bytes and loses its C1 controls",
     "caf\xe9\x9b"
     "31m",
     "",
     "caf\xe9\\x9b"
     "31m"},
    {"a zero byte is written out", QByteArray("a\0b", 3), "", "a\\x00b"},
};

class EscapeControls : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeControls, LeavesNoControlCharacterButTheKeptOnes)
{
    const EscapeCase& c = GetParam();
    EXPECT_EQ(ByteText::EscapeControls(c.bytes, c.kept), c.shown);
}

INSTANTIATE_TEST_SUITE_P(ByteText, EscapeControls, testing::ValuesIn(kEscapeCases),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
