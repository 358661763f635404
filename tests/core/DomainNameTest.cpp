#include "core/DomainName.h"

#include "core/DomainDoc.h"
#include "core/NameTokens.h"
#include "core/TLDList.h"

#include "support/CaseName.h"
#include "support/ListNames.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

// A label of `letters` a's after a "ü": with 55 its A-label is 63 bytes long, with 56 64 bytes.
QByteArray UmlautLabel(int letters)
{
    return "\xc3\xbc" + QByteArray(letters, 'a');
}

struct ConversionCase {
    const char* behaviour;
    QByteArray typed;
    QByteArray stored;
};

class TypedName : public testing::TestWithParam<ConversionCase> {};

// The A-labels are those of the IDNA test vectors (UTS #46 IdnaTestV2, RFC 5890's examples) and
// agree with a second implementation (Python's idna package).
TEST_P(TypedName, IsStoredAsItsALabelAndReadsBackInUnicode)
{
    const ConversionCase& c = GetParam();
    const CNameConversion ascii = DomainName::ToAscii(c.typed);
    ASSERT_TRUE(ascii.Ok()) << ascii.Reason().toStdString();
    EXPECT_EQ(ascii.Name(), c.stored);
    EXPECT_EQ(DomainName::ToAscii(DomainName::DisplayForm(ascii.Name())).Name(), c.stored)
        << "the Unicode form shown stands for the same name";
}

INSTANTIATE_TEST_SUITE_P(
    DomainName, TypedName,
    testing::Values(
        ConversionCase{"sharp s stays apart from ss", "fa\xc3\x9f.de", "xn--fa-hia.de"},
        ConversionCase{"capital umlauts map to small ones", "M\xc3\x9cNCHEN.de",
                       "xn--mnchen-3ya.de"},
        ConversionCase{"greek final sigma stays final",
                       "\xce\xb2\xcf\x8c\xce\xbb\xce\xbf\xcf\x82.com", "xn--nxasmm1c.com"},
        ConversionCase{"arabic label", "\xd9\x85\xd8\xab\xd8\xa7\xd9\x84.com", "xn--mgbh0fb.com"},
        ConversionCase{"hebrew label", "\xd7\x93\xd7\x95\xd7\x92\xd7\x9e\xd7\x94.com",
                       "xn--6dbbec0c.com"},
        ConversionCase{"cjk label after an ideographic full stop",
                       "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x80\x82jp", "xn--wgv71a119e.jp"},
        ConversionCase{"ascii labels keep the case typed", "m\xc3\xbcnchen.COM",
                       "xn--mnchen-3ya.COM"},
        ConversionCase{"latin-1 bytes read as the window shows them", "caf\xe9.com",
                       "xn--caf-dma.com"},
        ConversionCase{"label of 63 bytes once encoded", UmlautLabel(55) + ".de",
                       "xn--" + QByteArray(55, 'a') + "-oxf.de"},
        ConversionCase{"ascii name stays as typed", "Alpha_Beta.COM", "Alpha_Beta.COM"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

struct RefusalCase {
    const char* behaviour;
    QByteArray typed;
    const char* reason;
};

class RefusedName : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedName, GivesTheReasonInPlainWords)
{
    const RefusalCase& c = GetParam();
    const CNameConversion ascii = DomainName::ToAscii(c.typed);
    EXPECT_FALSE(ascii.Ok());
    EXPECT_TRUE(ascii.Name().isEmpty());
    EXPECT_EQ(ascii.Reason(), QString::fromUtf8(c.reason));
}

INSTANTIATE_TEST_SUITE_P(
    DomainName, RefusedName,
    testing::Values(
        RefusalCase{"emoji", "\xf0\x9f\x98\x80.com",
                    "it holds a character that domain names may not hold, such as an emoji or a "
                    "symbol."},
        RefusalCase{"label of 64 bytes once encoded", UmlautLabel(56) + ".de",
                    "a label is longer than 63 characters once encoded."},
        RefusalCase{"latin letters before hebrew ones", "abc\xd7\x97\xd7\x93\xd7\xa9.com",
                    "it mixes right-to-left and left-to-right text in a way domain names do not "
                    "allow."},
        RefusalCase{"hyphen before letters of another script", "-caf\xc3\xa9.com",
                    "a label begins or ends with a hyphen."},
        RefusalCase{"zero width non-joiner between latin letters", "a\xe2\x80\x8c\xc3\xa9.com",
                    "it holds an invisible joiner where domain names do not allow one."},
        RefusalCase{"zero byte that would cut the name short",
                    QByteArray("m\xc3\xbcnchen\0.com", 13),
                    "it holds a character that domain names may not hold, such as an emoji or a "
                    "symbol."}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(DomainName, StoredNamesReadInUnicodeOnlyWhenTheirALabelsAreSound)
{
    const struct {
        QByteArray stored;
        bool sound;
        QByteArray shown;
        QByteArray both;
    } cases[] = {
        {"xn--mnchen-3ya.de", true, "m\xc3\xbcnchen.de", "m\xc3\xbcnchen.de (xn--mnchen-3ya.de)"},
        {"XN--MNCHEN-3YA.COM", true, "m\xc3\xbcnchen.COM",
         "m\xc3\xbcnchen.COM (XN--MNCHEN-3YA.COM)"},
        {"alpha.com", true, "alpha.com", "alpha.com"},
        {"xn--zz.com", false, "xn--zz.com", "xn--zz.com"},
        // These decode to names whose own A-labels differ.
        {"xn---caf-dma.com", false, "xn---caf-dma.com", "xn---caf-dma.com"},
        {"xn--abc.com", false, "xn--abc.com", "xn--abc.com"},
        {"m\xfc.xn--mnchen-3ya.de", false, "m\xfc.xn--mnchen-3ya.de", "m\xfc.xn--mnchen-3ya.de"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.constData());
        const CNameConversion unicode = DomainName::ToUnicode(c.stored);
        EXPECT_EQ(unicode.Ok(), c.sound) << unicode.Reason().toStdString();
        EXPECT_EQ(DomainName::DisplayForm(c.stored), c.shown);
        EXPECT_EQ(DomainName::WithALabel(c.stored), c.both);
    }
}

TEST(DomainName, MixedScriptsAreNamedUnlessTheyWriteOneLanguage)
{
    const struct {
        QByteArray typed;
        const char* note;
    } cases[] = {
        {"p\xd0\xb0ypal.com", "mixes Latin and Cyrillic letters"},
        {"sony\xe3\x82\xbd\xe3\x83\x8b\xe3\x83\xbc.jp", "mixes Latin and Katakana letters"},
        {"\xe6\x97\xa5\xe6\x9c\xac\xe3\x81\xb2\xe3\x82\x89\xe3\x82\xab\xe3\x82\xbf.jp", ""},
        {"\xed\x95\x9c\xea\xb5\xad\xe6\xbc\xa2\xe5\xad\x97.kr", ""},
        {"\xe3\x84\x85\xe3\x84\x86\xe6\xbc\xa2\xe5\xad\x97.tw", ""},
        {"\xd0\xb0\xd1\x80\xd1\x80\xd3\x8f\xd0\xb5.com", ""},
        {"m\xc3\xbcnchen-2024.de", ""},
        {"paypal.com", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.constData());
        const CNameConversion ascii = DomainName::ToAscii(c.typed);
        ASSERT_TRUE(ascii.Ok()) << ascii.Reason().toStdString();
        EXPECT_EQ(DomainName::MixedScripts(ascii.Name()), QString::fromUtf8(c.note));
    }
}

class NameAdmission : public testing::Test {
protected:
    void SetUp() override
    {
        tlds.ClearTLDList();
        tlds.FillDefaults();
        tlds.AddOrUpdateTLD("DE", "whois.denic.de");
    }

    QByteArray Shown(const CDomainDoc& list, int index) const
    {
        QByteArray text;
        list.GetFieldText(index, 1, text);
        return text;
    }

    CTLDList tlds;
    CDomainDoc doc{tlds, [](CDomainInfo&) {
                   }};
};

TEST_F(NameAdmission, UnicodeNamesEnterAsALabelsAndAreFoundInEitherForm)
{
    EXPECT_EQ(AdmitNameTokens(doc, " m\xc3\xbcnchen.de, b\xc3\xbc\x63her aa \xf0\x9f\x98\x80 ",
                              {"COM", "DE"}),
              5);
    EXPECT_EQ(ListNames(doc), (QByteArrayList{"xn--mnchen-3ya.de", "xn--bcher-kva.COM",
                                              "xn--bcher-kva.DE", "aa.COM", "aa.DE"}));
    EXPECT_FALSE(doc.AdmitName("M\xc3\x9cNCHEN.DE")) << "the same name in capitals";
    EXPECT_FALSE(doc.AdmitName("XN--MNCHEN-3YA.de")) << "the same name as its A-label";
    EXPECT_EQ(doc.LookupName("  m\xc3\xbcnchen.de "), doc.GetAt(0));
    EXPECT_EQ(doc.LookupName("xn--bcher-kva.de"), doc.GetAt(2));
    EXPECT_EQ(Shown(doc, 1), QByteArray("b\xc3\xbc\x63her.COM"));

    EXPECT_TRUE(doc.AdmitName(UmlautLabel(55) + ".de"));
    EXPECT_FALSE(doc.AdmitName(UmlautLabel(56) + ".de"));
    EXPECT_FALSE(doc.AdmitName(UmlautLabel(55) + ".co.uk"))
        << "a name IDNA takes is still held to the list's 67 bytes";
}

TEST_F(NameAdmission, ListSortsAndSavesTheALabels)
{
    // "aß" comes before "b" in Unicode, "xn--a-qfa" after it.
    for (const char* name : {"a\xc3\x9f.de", "b.de"}) {
        ASSERT_TRUE(doc.AdmitName(name));
    }
    doc.SortList(DomainSort::Key::ByName);
    EXPECT_EQ(ListNames(doc), (QByteArrayList{"b.de", "xn--a-qfa.de"}));

    QByteArray file;
    QBuffer out(&file);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(doc.Write(out).Ok());
    EXPECT_TRUE(file.contains("xn--a-qfa.de"));
    EXPECT_FALSE(file.contains("a\xc3\x9f")) << "stored files hold the A-label";
    CDomainDoc reopened{tlds, [](CDomainInfo&) {
                        }};
    QBuffer in(&file);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(reopened.Read(in).Ok());
    EXPECT_EQ(ListNames(reopened), ListNames(doc));
    EXPECT_EQ(Shown(reopened, 1), QByteArray("a\xc3\x9f.de"));
}

} // namespace
