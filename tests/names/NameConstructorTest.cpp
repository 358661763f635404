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
        table.ClearTLDList();
        table.FillDefaults();
    }

    QByteArrayList Names() const { return ListNames(doc); }

    CTLDList table;

    CDomainDoc doc{table, [](CDomainInfo&) {
                   }};
};

TEST_F(ConstructedAdmission, FullListStopsTheSequenceWithTheSameNamesInTheSameOrder)
{
    const QByteArray beginning = Words("b", 40) + "soft.ware a_b";
    const QByteArray end = Words("e", 40);
    const CPaddingOptions options{true, false, false, false};
    const QByteArrayList tlds{"COM", "NET", "ORG"};

    CDomainDoc unlimited{table, [](CDomainInfo&) {
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

TEST_F(ConstructedAdmission, NamesInOtherScriptsEnterAsTheirALabels)
{
    const struct {
        const char* behaviour;
        QByteArray keyword;
        QByteArray beginningWords;
        QByteArray endWords;
        QByteArrayList expected;
    } cases[] = {
        {"umlaut keyword; an emoji word is refused",
         "m\xc3\xbcnchen",
         "neu",
         "bahn \xf0\x9f\x98\x80",
         {"xn--mnchen-3ya.COM", "xn--neumnchen-t9a.COM", "xn--mnchenbahn-9db.COM"}},
        // 70 bytes as typed, 55 once encoded.
        {"ascii word beside a keyword that encodes shorter than it is typed",
         QByteArray("\xe6\x97\xa5").repeated(12),
         QByteArray(30, 'a'),
         "",
         {"xn--wgvaaaaaaaaaaa.COM", "xn--aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa-m507daaaaaaaaaaa.COM"}},
        {"word in another script beside an ascii keyword, refused when too long once encoded",
         "key",
         "\xc3\xa9t\xc3\xa9 \xc3\xbc" + QByteArray(56, 'a'),
         "",
         {"key.COM", "xn--tkey-9oab.COM"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.behaviour);
        CDomainDoc list{table, [](CDomainInfo&) {
                        }};
        list.SetMaxEntries(100);
        CNameConstructor names(c.keyword, c.beginningWords, c.endWords, kOneSide, {"COM"});
        AdmitConstructedNames(list, names);
        EXPECT_EQ(ListNames(list), c.expected);
    }
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

TEST_F(ConstructedAdmission, AdmissionInStepsGivesTheNamesOfOneRun)
{
    const CPaddingOptions options{true, false, false, false};
    CDomainDoc oneRun{table, [](CDomainInfo&) {
                      }};
    oneRun.SetMaxEntries(1000);
    CNameConstructor all("key", Words("b", 30), Words("e", 30), options, {"COM", "NET"});
    AdmitConstructedNames(oneRun, all);

    doc.SetMaxEntries(1000);
    CNameConstructor names("key", Words("b", 30), Words("e", 30), options, {"COM", "NET"});
    int steps = 0;
    while (!ConstructionIsOver(doc, names)) {
        AdmitConstructedNames(doc, names, 7);
        ++steps;
    }
    EXPECT_GT(steps, 100);
    EXPECT_EQ(Names(), ListNames(oneRun));
}

TEST_F(ConstructedAdmission, StepsEndWhenTheirTimeIsUpAndGiveTheNamesOfOneRun)
{
    struct StepCase {
        const char* behaviour;
        std::chrono::steady_clock::duration stepTime;
        int maxEntries;
        int expectedSteps;
    };
    const StepCase cases[] = {
        {"no time: one run of names between clock readings per step", std::chrono::seconds(0),
         65535, 2},
        {"ample time: the whole sequence in one step", std::chrono::hours(1), 65535, 1},
        {"ample time: the step ends when the list is full", std::chrono::hours(1), 500, 1},
    };
    // 1,682 names around a Japanese keyword, each converted by IDNA.
    const QByteArray keyword = "\xe6\x97\xa5\xe6\x9c\xac";
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.behaviour);
        CDomainDoc oneRun{table, [](CDomainInfo&) {
                          }};
        oneRun.SetMaxEntries(c.maxEntries);
        CNameConstructor all(keyword, Words("b", 40), Words("e", 40), kBothSides, {"COM"});
        AdmitConstructedNames(oneRun, all);

        CDomainDoc stepped{table, [](CDomainInfo&) {
                           }};
        stepped.SetMaxEntries(c.maxEntries);
        CNameConstructor names(keyword, Words("b", 40), Words("e", 40), kBothSides, {"COM"});
        int steps = 0;
        while (!ConstructionIsOver(stepped, names)) {
            const std::uint64_t before = names.Position();
            AdmitConstructionStep(stepped, names, c.stepTime);
            ++steps;
            if (!ConstructionIsOver(stepped, names)) {
                EXPECT_EQ(names.Position() - before, kNamesBetweenClockReadings);
            }
        }
        EXPECT_EQ(steps, c.expectedSteps);
        EXPECT_EQ(ListNames(stepped), ListNames(oneRun));
    }
}

TEST_F(ConstructedAdmission, EndOfTheSequenceEndsTheConstruction)
{
    doc.SetMaxEntries(1000);
    CNameConstructor names("key", "a b", "", kOneSide, {"COM"});
    EXPECT_FALSE(ConstructionIsOver(doc, names));
    EXPECT_EQ(AdmitConstructedNames(doc, names, 3), 2);
    EXPECT_FALSE(ConstructionIsOver(doc, names));
    EXPECT_EQ(AdmitConstructedNames(doc, names, 3), 1);
    EXPECT_TRUE(ConstructionIsOver(doc, names));
}

struct LeftOutCase {
    const char* behaviour;
    QByteArray keyword;
    QByteArray beginningWords;
    QByteArray endWords;
    QByteArrayList tlds;
    QByteArrayList expected;
};

class LeftOutNames : public testing::TestWithParam<LeftOutCase> {};

TEST_P(LeftOutNames, AreTheOnesTheListWouldRefuse)
{
    const LeftOutCase& c = GetParam();
    CNameConstructor names(c.keyword, c.beginningWords, c.endWords, kBothSides, c.tlds);
    names.LeaveOutCertainRefusals();
    const QByteArrayList left = AllNames(names);
    EXPECT_EQ(left, c.expected);
    EXPECT_EQ(names.Count(), static_cast<std::uint64_t>(left.size()));
}

INSTANTIATE_TEST_SUITE_P(
    NameConstructor, LeftOutNames,
    testing::Values(LeftOutCase{"keyword holding a space leaves only itself",
                                "no name",
                                "free",
                                "web",
                                {"COM"},
                                {"no name"}},
                    LeftOutCase{"keyword holding an underscore before its dot leaves only itself",
                                "no_name.co",
                                "free",
                                "web",
                                {"HK"},
                                {"no_name.co"}},
                    LeftOutCase{"keyword too long with the shortest TLD leaves only itself",
                                QByteArray(64, 'k'),
                                "",
                                "",
                                {"COM", "COM.AU"},
                                {QByteArray(64, 'k')}},
                    LeftOutCase{"words whose every name is refused leave, words in other scripts "
                                "stay for the list to judge",
                                "soft",
                                "free a_b caf\xe9 -x FREE .. \t good",
                                "web we_b web- WEB net",
                                {"COM"},
                                {"soft", "soft.COM", "freesoft.COM", "caf\xe9soft.COM",
                                 "goodsoft.COM", "softweb.COM", "softnet.COM", "freesoftweb.COM",
                                 "freesoftnet.COM", "caf\xe9softweb.COM", "caf\xe9softnet.COM",
                                 "goodsoftweb.COM", "goodsoftnet.COM"}},
                    LeftOutCase{"keyword in another script leaves its words for the list to judge",
                                "caf\xc3\xa9",
                                "a_b",
                                "-",
                                {"COM"},
                                {"caf\xc3\xa9", "caf\xc3\xa9.COM", "a_bcaf\xc3\xa9.COM",
                                 "caf\xc3\xa9-.COM", "a_bcaf\xc3\xa9-.COM"}},
                    LeftOutCase{"an end word after the keyword's dot stays whatever it holds",
                                "soft.co",
                                "",
                                "we_b",
                                {"HK"},
                                {"soft.co", "soft.co.HK", "soft.cowe_b.HK"}}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

// Leaving names out must change nothing the list ends up with: the same names are admitted, in
// the same order, as when every name of the sequence is offered.
struct RefusalCase {
    const char* behaviour;
    QByteArray keyword;
    QByteArray beginningWords;
    QByteArray endWords;
    CPaddingOptions options;
    QByteArrayList tlds;
};

class OfferedNames : public ConstructedAdmission, public testing::WithParamInterface<RefusalCase> {
protected:
    // Names already listed, which constructed names may repeat.
    static void ListSome(CDomainDoc& list)
    {
        list.SetMaxEntries(65535);
        for (const char* name : {"freesoft.COM", "kb.COM", "ka.CC", "SOFTWEB.com"}) {
            list.AdmitName(name);
        }
    }
};

TEST_P(OfferedNames, LeftOutOrNotEnterTheListAlike)
{
    const RefusalCase& c = GetParam();
    CDomainDoc everyNameOffered{table, [](CDomainInfo&) {
                                }};
    ListSome(everyNameOffered);
    CNameConstructor all(c.keyword, c.beginningWords, c.endWords, c.options, c.tlds);
    QByteArrayView name;
    while (all.Next(name)) {
        everyNameOffered.AdmitName(name);
    }

    ListSome(doc);
    CNameConstructor names(c.keyword, c.beginningWords, c.endWords, c.options, c.tlds);
    AdmitConstructedNames(doc, names);
    EXPECT_EQ(Names(), ListNames(everyNameOffered));
}

// Every byte that may stand in a word, alone and inside letters.
QByteArray EveryByteAsWords()
{
    QByteArray words;
    for (int byte = 1; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        if (QByteArrayView(" ,\r\n;.").contains(c)) {
            continue;
        }
        words += c + QByteArray(" a") + c + ' ' + c + "a a" + c + "a ";
    }
    return words;
}

QByteArray LettersOfEachLength(char letter, int shortest, int longest)
{
    QByteArray words;
    for (int length = shortest; length <= longest; ++length) {
        words += QByteArray(length, letter) + ' ';
    }
    return words;
}

INSTANTIATE_TEST_SUITE_P(
    NameConstructor, OfferedNames,
    testing::Values(
        RefusalCase{"keyword holding a space", "no name", "free web", "net", kBothSides, {"COM"}},
        RefusalCase{"keyword with an underscore before its dot",
                    "so_ft.co",
                    "free",
                    "web",
                    kBothSidesWithDash,
                    {"COM", "HK"}},
        RefusalCase{"keyword with an underscore after its dot",
                    "soft.x_y",
                    "free",
                    "web",
                    kBothSidesWithDash,
                    {"COM", "HK"}},
        RefusalCase{"keyword long enough only with a short TLD",
                    QByteArray(64, 'k'),
                    "a",
                    "b",
                    kBothSides,
                    {"COM", "CC"}},
        RefusalCase{"keyword too long with any TLD",
                    QByteArray(65, 'k'),
                    "a",
                    "b",
                    kBothSides,
                    {"COM", "CC"}},
        RefusalCase{"every byte in words on both sides",
                    "k",
                    EveryByteAsWords(),
                    EveryByteAsWords(),
                    kBothSides,
                    {"COM"}},
        RefusalCase{"every byte in words around an empty keyword",
                    "",
                    EveryByteAsWords(),
                    EveryByteAsWords(),
                    kBothSidesWithDash,
                    {"COM"}},
        RefusalCase{"every byte in words around a keyword with a dot",
                    "k.co",
                    EveryByteAsWords(),
                    EveryByteAsWords(),
                    kBothSides,
                    {"COM", "HK"}},
        RefusalCase{"words repeated in other case, trimmed or empty",
                    "soft",
                    "free FREE Free \tfree free- \t .. \v\f",
                    "web WEB web -web \t .. web\t",
                    kBothSidesWithDash,
                    {"COM", "NET"}},
        RefusalCase{"words around the longest name",
                    "abc",
                    LettersOfEachLength('p', 50, 64),
                    LettersOfEachLength('s', 50, 64),
                    kBothSides,
                    {"COM", "CC"}},
        RefusalCase{"dashes at the ends of words and keyword",
                    "-k-",
                    "-a a- - --",
                    "-b b- -",
                    kBothSidesWithDash,
                    {"COM"}},
        RefusalCase{"every byte in words around a keyword in another script",
                    "\xe6\x97\xa5\xe6\x9c\xac",
                    EveryByteAsWords(),
                    EveryByteAsWords(),
                    kOneSide,
                    {"COM", "HK"}},
        RefusalCase{"words in other scripts around the longest name",
                    "abc",
                    LettersOfEachLength('\xe9', 25, 64),
                    "\xc3\xbc" + LettersOfEachLength('s', 50, 64),
                    kBothSides,
                    {"COM", "CC"}},
        RefusalCase{"names already listed", "soft", "free", "web", kBothSides, {"COM"}}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
