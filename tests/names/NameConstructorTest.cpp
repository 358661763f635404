#include "names/NameConstructor.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"

#include "support/CaseName.h"
#include "support/ListNames.h"

#include <gtest/gtest.h>

namespace {

QByteArrayList AllNames(CNameConstructor& names)
{
    QByteArrayList all;
    QByteArrayView name;
    while (names.Next(name)) {
        all.append(name.toByteArray());
    }
    return all;
}

struct SequenceCase {
    const char* behaviour;
    const char* keyword;
    const char* beginningWords;
    const char* endWords;
    CPaddingOptions options;
    QByteArrayList tlds;
    QByteArrayList expected;
};

constexpr CPaddingOptions kBothSides{false, false, false, false};
constexpr CPaddingOptions kBothSidesWithDash{true, false, false, false};
constexpr CPaddingOptions kOneSide{false, false, false, true};

class ConstructedSequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(ConstructedSequence, ComesInThePartsOrder)
{
    const SequenceCase& c = GetParam();
    CNameConstructor names(c.keyword, c.beginningWords, c.endWords, c.options, c.tlds);
    EXPECT_EQ(AllNames(names), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    NameConstructor, ConstructedSequence,
    testing::Values(SequenceCase{"software padded with free and web on both sides",
                                 "software",
                                 "free",
                                 "web",
                                 kBothSides,
                                 {"COM"},
                                 {"software", "software.COM", "freesoftware.COM", "softwareweb.COM",
                                  "freesoftwareweb.COM"}},
                    SequenceCase{"dash forms follow each word",
                                 "software",
                                 "free",
                                 "web",
                                 kBothSidesWithDash,
                                 {"COM"},
                                 {"software", "software.COM", "freesoftware.COM",
                                  "free-software.COM", "softwareweb.COM", "software-web.COM",
                                  "freesoftwareweb.COM", "freesoftware-web.COM",
                                  "free-softwareweb.COM", "free-software-web.COM"}},
                    SequenceCase{"each stem takes every TLD in the order given",
                                 "software",
                                 "free",
                                 "web",
                                 kOneSide,
                                 {"COM", "net"},
                                 {"software", "software.COM", "software.net", "freesoftware.COM",
                                  "freesoftware.net", "softwareweb.COM", "softwareweb.net"}},
                    SequenceCase{"beginning words outer, end words inner",
                                 "k",
                                 "a b",
                                 "x y",
                                 kBothSides,
                                 {"COM"},
                                 {"k", "k.COM", "ak.COM", "bk.COM", "kx.COM", "ky.COM", "akx.COM",
                                  "aky.COM", "bkx.COM", "bky.COM"}},
                    SequenceCase{"empty keyword pads the words alone",
                                 "",
                                 "free",
                                 "web",
                                 kBothSides,
                                 {"COM"},
                                 {"", ".COM", "free.COM", "web.COM", "freeweb.COM"}},
                    SequenceCase{"word equal to the keyword in other case is skipped",
                                 "software",
                                 "SoftWare free",
                                 "SOFTWARE",
                                 kBothSides,
                                 {"COM"},
                                 {"software", "software.COM", "freesoftware.COM"}},
                    SequenceCase{"dots leave words before the comparison",
                                 "software",
                                 "soft.ware fr.ee",
                                 "",
                                 kBothSides,
                                 {"COM"},
                                 {"software", "software.COM", "freesoftware.COM"}},
                    SequenceCase{"keyword is trimmed and keeps inner dots",
                                 " \tsoftware.co\r\n",
                                 "",
                                 "web",
                                 kOneSide,
                                 {"UK"},
                                 {"software.co", "software.co.UK", "software.coweb.UK"}},
                    SequenceCase{"words split at space comma CR LF and semicolon but not tab",
                                 "k",
                                 " a,,b;\r\nc\td ",
                                 "",
                                 kOneSide,
                                 {"COM"},
                                 {"k", "k.COM", "ak.COM", "bk.COM", "c\tdk.COM"}},
                    SequenceCase{"not both puts no name between two words",
                                 "k",
                                 "a b",
                                 "x",
                                 kOneSide,
                                 {"COM"},
                                 {"k", "k.COM", "ak.COM", "bk.COM", "kx.COM"}},
                    SequenceCase{"no start append drops the beginning words",
                                 "k",
                                 "a",
                                 "x",
                                 CPaddingOptions{true, true, false, false},
                                 {"COM"},
                                 {"k", "k.COM", "kx.COM", "k-x.COM"}},
                    SequenceCase{"no end append drops the end words",
                                 "k",
                                 "a",
                                 "x",
                                 CPaddingOptions{false, false, true, false},
                                 {"COM"},
                                 {"k", "k.COM", "ak.COM"}},
                    SequenceCase{"without TLDs only the bare keyword comes",
                                 "software",
                                 "free",
                                 "web",
                                 kBothSides,
                                 {},
                                 {"software"}},
                    SequenceCase{"word made only of dots pads the keyword with nothing",
                                 "k",
                                 "..",
                                 "",
                                 kOneSide,
                                 {"COM"},
                                 {"k", "k.COM", "k.COM"}}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

struct CountCase {
    const char* behaviour;
    int beginningWords;
    int endWords;
    int tlds;
    CPaddingOptions options;
};

class ConstructedCount : public testing::TestWithParam<CountCase> {};

QByteArray Words(const char* stem, int count)
{
    QByteArray words;
    for (int i = 0; i < count; ++i) {
        words += stem + QByteArray::number(i) + ' ';
    }
    return words;
}

TEST_P(ConstructedCount, MatchesTheFormula)
{
    const CountCase& c = GetParam();
    QByteArrayList tlds;
    for (int i = 0; i < c.tlds; ++i) {
        tlds.append("T" + QByteArray::number(i));
    }
    CNameConstructor names("key", Words("b", c.beginningWords), Words("e", c.endWords), c.options,
                           tlds);
    const std::uint64_t p =
        c.options.noStartAppend ? 0 : c.beginningWords * (c.options.useDash ? 2 : 1);
    const std::uint64_t s = c.options.noEndAppend ? 0 : c.endWords * (c.options.useDash ? 2 : 1);
    const std::uint64_t both = c.options.noBothAppend ? 0 : p * s;
    const std::uint64_t formula = 1 + c.tlds * (1 + p + s + both);
    EXPECT_EQ(names.Count(), formula);
    EXPECT_EQ(static_cast<std::uint64_t>(AllNames(names).size()), formula);
}

INSTANTIATE_TEST_SUITE_P(NameConstructor, ConstructedCount,
                         testing::Values(CountCase{"both sides", 7, 5, 3, kBothSides},
                                         CountCase{"both sides with dash", 7, 5, 3,
                                                   kBothSidesWithDash},
                                         CountCase{"one side", 7, 5, 2, kOneSide},
                                         CountCase{"no beginning words", 0, 5, 2, kBothSides},
                                         CountCase{"no end words", 4, 0, 2, kBothSidesWithDash},
                                         CountCase{"no TLDs", 4, 5, 0, kBothSides},
                                         CountCase{"start switched off", 4, 5, 2,
                                                   CPaddingOptions{true, true, false, false}},
                                         CountCase{"end switched off", 4, 5, 2,
                                                   CPaddingOptions{true, false, true, false}}),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

class ConstructedAdmission : public testing::Test {
protected:
    void SetUp() override
    {
        g_TLDList.ClearTLDList();
        g_TLDList.FillDefaults();
    }

    QByteArrayList Names() const { return ListNames(doc); }

    CDomainDoc doc{[](CDomainInfo&) {
    }};
};

TEST_F(ConstructedAdmission, FullListStopsTheSequenceWithTheSameNamesInTheSameOrder)
{
    const QByteArray beginning = Words("b", 40) + "soft.ware a_b";
    const QByteArray end = Words("e", 40);
    const CPaddingOptions options{true, false, false, false};
    const QByteArrayList tlds{"COM", "NET", "ORG"};

    CDomainDoc unlimited{[](CDomainInfo&) {
    }};
    unlimited.SetMaxEntries(1000000);
    CNameConstructor everything("software", beginning, end, options, tlds);
    AdmitConstructedNames(unlimited, everything);
    ASSERT_GT(unlimited.GetCount(), 500);

    doc.SetMaxEntries(500);
    CNameConstructor names("software", beginning, end, options, tlds);
    EXPECT_EQ(AdmitConstructedNames(doc, names), 500);
    QByteArrayList expected;
    for (int i = 0; i < 500; ++i) {
        expected.append(unlimited.GetAt(i)->m_strName);
    }
    EXPECT_EQ(Names(), expected);
    QByteArrayView next;
    EXPECT_TRUE(names.Next(next)) << "the sequence went on after the list was full";
}

TEST_F(ConstructedAdmission, RefusedNamesAreSkippedSilently)
{
    doc.SetMaxEntries(100);
    CNameConstructor names("software", "free -x", "web web",
                           CPaddingOptions{false, false, false, false}, {"COM"});
    EXPECT_EQ(AdmitConstructedNames(doc, names), 4);
    EXPECT_EQ(Names(), (QByteArrayList{"software.COM", "freesoftware.COM", "softwareweb.COM",
                                       "freesoftwareweb.COM"}));
}

TEST_F(ConstructedAdmission, FullListBeforeTheStartAdmitsNothing)
{
    doc.SetMaxEntries(1);
    ASSERT_TRUE(doc.AdmitName("taken.com"));
    CNameConstructor names("software", "free", "web", kBothSides, {"COM"});
    EXPECT_EQ(AdmitConstructedNames(doc, names), 0);
    EXPECT_EQ(Names(), QByteArrayList{"taken.com"});
}

TEST_F(ConstructedAdmission, HugeSequenceFillsTheListWithoutBeingBuilt)
{
    const CPaddingOptions options{true, false, false, false};
    CNameConstructor names("key", Words("b", 2000), Words("e", 2000), options,
                           {"COM", "NET", "ORG"});
    EXPECT_EQ(names.Count(), 1u + 3u * (1u + 4000u + 4000u + 4000u * 4000u));
    doc.SetMaxEntries(64000);
    EXPECT_EQ(AdmitConstructedNames(doc, names), 64000);
    EXPECT_EQ(doc.GetAt(0)->m_strName, QByteArray("key.COM"));
    EXPECT_EQ(doc.GetAt(3)->m_strName, QByteArray("b0key.COM"));
    EXPECT_EQ(doc.GetAt(6)->m_strName, QByteArray("b0-key.COM"));
    EXPECT_EQ(doc.GetAt(3 + 12000)->m_strName, QByteArray("keye0.COM"));
    EXPECT_EQ(doc.GetAt(3 + 24000)->m_strName, QByteArray("b0keye0.COM"));
}

} // namespace
