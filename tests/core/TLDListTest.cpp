#include "core/TLDList.h"

#include "support/TestEnvironment.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

class TLDListTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        list.FillDefaults();
    }

    QByteArray TLDs() const
    {
        QByteArrayList tlds;
        for (const auto& entry : list.GetEntries()) {
            tlds.append(entry->m_strTLD);
        }
        return tlds.join(' ');
    }

    CTLDList list;
};

TEST_F(TLDListTest, DefaultsAreTheTwelveRowsWithOnlyComForNewNames)
{
    ASSERT_EQ(list.GetCount(), 12);
    EXPECT_EQ(TLDs(), QByteArray("COM NET ORG CO.UK NET.UK ORG.UK LTD.UK NU CC COM.AU NET.AU HK"));
    for (const auto& entry : list.GetEntries()) {
        EXPECT_EQ(entry->m_bUseForNew, entry->m_strTLD == "COM" ? 1 : 0) << entry->m_strTLD.data();
        EXPECT_FALSE(entry->m_strServer.isEmpty());
        EXPECT_TRUE(entry->m_strRegistrarURL.isEmpty());
    }
    EXPECT_EQ(list.GetServerForName("x.com"), QByteArray("whois.verisign-grs.com"));
    EXPECT_EQ(list.GetServerForName("x.org"), QByteArray("whois.pir.org"))
        << "the com server answers no match for every org name";
}

TEST_F(TLDListTest, MissingFileLoadsTheDefaults)
{
    CTLDList loaded;
    loaded.AddOrUpdateTLD("XX", "whois.example");
    EXPECT_TRUE(loaded.LoadTLDList().Ok());
    EXPECT_EQ(loaded.GetCount(), 12);
    EXPECT_FALSE(QFile::exists(CTLDList::FilePath())) << "nothing is written until a dialog saves";
}

struct FindCase {
    const char* behaviour;
    const char* name;
    const char* tld; // empty: no entry
};

class FindTLDForName : public TLDListTest, public testing::WithParamInterface<FindCase> {};

TEST_P(FindTLDForName, PicksTheEntry)
{
    list.AddOrUpdateTLD("UK", "whois.nic.uk");
    const FindCase& c = GetParam();
    EXPECT_EQ(list.GetTLDForName(c.name), QByteArray(c.tld)) << c.behaviour;
}

INSTANTIATE_TEST_SUITE_P(
    TLDList, FindTLDForName,
    testing::Values(FindCase{"zone after the first dot", "label.co.uk", "CO.UK"},
                    FindCase{"falls back to the text after the last dot", "label.xy.uk", "UK"},
                    FindCase{"lower case name", "label.com", "COM"},
                    FindCase{"upper case name", "LABEL.COM", "COM"},
                    FindCase{"no dot", "label", ""}, FindCase{"leading dot", ".com", ""},
                    FindCase{"unknown TLD", "label.zz", ""},
                    FindCase{"unknown zone under a known country", "label.xy.hk", "HK"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(TLDListTest, ZoneUnderAnUnknownCountryFindsNothing)
{
    EXPECT_EQ(list.FindTLDForName("label.xy.uk"), nullptr);
}

TEST_F(TLDListTest, ImportAddsAndUpdatesUsableLinesOnly)
{
    list.FindTLD("NET.UK")->m_bUseForNew = 1;
    list.FindTLD("NET.UK")->m_strRegistrarURL = "https://registrar.example/?d={D}";
    list.ImportTLDText("co.uk: whois.example.net\r\n"
                       "  net.uk :  WHOIS.Example.ORG   \n"
                       "justaword\r\r\n"
                       ": whois.nothing\n"
                       "de:\n"
                       "io: whois.nic.io");
    EXPECT_EQ(list.FindTLD("CO.UK")->m_strServer, QByteArray("whois.example.net"));
    const CTLDInfo* netUk = list.FindTLD("NET.UK");
    EXPECT_EQ(netUk->m_strServer, QByteArray("whois.example.org"));
    EXPECT_EQ(netUk->m_bUseForNew, 1) << "an import changes only the server";
    EXPECT_EQ(netUk->m_strRegistrarURL, QByteArray("https://registrar.example/?d={D}"));
    EXPECT_EQ(list.GetCount(), 13) << "only io is new";
    EXPECT_EQ(list.GetAt(12)->m_strTLD, QByteArray("IO"));
    EXPECT_EQ(list.FindTLD("DE"), nullptr);
}

TEST_F(TLDListTest, ImportKeepsTheCaseOfRdapUrlPaths)
{
    list.ImportTLDText("com: HTTPS://RDAP.Example.COM/Com/V1/\n"
                       "zz: Http://127.0.0.1:8080/Relay\n");
    EXPECT_EQ(list.FindTLD("COM")->m_strServer, QByteArray("https://rdap.example.com/Com/V1/"));
    EXPECT_EQ(list.FindTLD("ZZ")->m_strServer, QByteArray("http://127.0.0.1:8080/Relay"));
}

TEST_F(TLDListTest, AddOrUpdateIgnoresEmptyTexts)
{
    list.AddOrUpdateTLD("", "whois.example");
    list.AddOrUpdateTLD("XX", "");
    EXPECT_EQ(list.GetCount(), 12);
}

TEST_F(TLDListTest, FileIsWrittenByteForByte)
{
    CTLDList two;
    two.Append(std::make_unique<CTLDInfo>("COM", "w.c", true));
    two.Append(std::make_unique<CTLDInfo>("DE", "w.d"));
    two.GetAt(1)->m_strRegistrarURL = "u";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(two.WriteTo(buffer).Ok());
    const QByteArray expected =
        QByteArray::fromHex("0200 ffff 0100 0800") + "CTLDInfo" + QByteArray::fromHex("03") +
        "COM" + QByteArray::fromHex("03") + "w.c" + QByteArray::fromHex("01 00 0180 02") + "DE" +
        QByteArray::fromHex("03") + "w.d" + QByteArray::fromHex("00 01") + "u";
    EXPECT_EQ(bytes.toHex(' '), expected.toHex(' '));
}

TEST_F(TLDListTest, SavedTableReadsBackIdentically)
{
    list.GetAt(3)->m_bUseForNew = 1;
    list.GetAt(5)->m_strRegistrarURL = "https://registrar.example/{D}";
    list.AddOrUpdateTLD("IO", "whois.nic.io");
    ASSERT_TRUE(list.SaveTLDList().Ok());

    CTLDList loaded;
    ASSERT_TRUE(loaded.LoadTLDList().Ok());
    ASSERT_EQ(loaded.GetCount(), list.GetCount());
    for (int i = 0; i < list.GetCount(); ++i) {
        EXPECT_EQ(loaded.GetAt(i)->m_strTLD, list.GetAt(i)->m_strTLD);
        EXPECT_EQ(loaded.GetAt(i)->m_strServer, list.GetAt(i)->m_strServer);
        EXPECT_EQ(loaded.GetAt(i)->m_bUseForNew, list.GetAt(i)->m_bUseForNew);
        EXPECT_EQ(loaded.GetAt(i)->m_strRegistrarURL, list.GetAt(i)->m_strRegistrarURL);
    }
}

TEST_F(TLDListTest, DamagedFileKeepsTheEntriesBeforeTheFault)
{
    ASSERT_TRUE(list.SaveTLDList().Ok());
    QFile file(CTLDList::FilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll();
    file.resize(bytes.indexOf("NET.UK") + 2);
    file.close();

    CTLDList loaded;
    const CFileResult result = loaded.LoadTLDList();
    EXPECT_FALSE(result.Ok());
    EXPECT_TRUE(result.Message().contains(QStringLiteral("Unexpected end of file.")));
    EXPECT_EQ(loaded.GetCount(), 4);
}

TEST_F(TLDListTest, EmptyFileGivesAnEmptyTableAndAnError)
{
    ASSERT_TRUE(QDir().mkpath(CTestEnvironment::Instance().DataFolder()));
    QFile file(CTLDList::FilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CTLDList loaded;
    EXPECT_FALSE(loaded.LoadTLDList().Ok());
    EXPECT_EQ(loaded.GetCount(), 0);
    EXPECT_FALSE(loaded.IsValidDomainName("example.com")) << "an empty table admits nothing";
}

TEST_F(TLDListTest, ResetDeletesTheFileAndBringsBackTheDefaults)
{
    list.RemoveAt(0);
    ASSERT_TRUE(list.SaveTLDList().Ok());
    ASSERT_TRUE(QFile::exists(CTLDList::FilePath()));
    EXPECT_TRUE(list.ResetTLDList().Ok());
    EXPECT_FALSE(QFile::exists(CTLDList::FilePath()));
    EXPECT_EQ(list.GetCount(), 12);
    EXPECT_EQ(list.GetAt(0)->m_strTLD, QByteArray("COM"));
}

TEST_F(TLDListTest, SortKeys)
{
    list.SortTLDList(CTLDList::ByTLDLength);
    EXPECT_EQ(TLDs(), QByteArray("CC HK NU COM NET ORG CO.UK COM.AU LTD.UK NET.AU NET.UK ORG.UK"));
    list.SortTLDList(CTLDList::ByServer);
    QByteArrayList servers;
    for (const auto& entry : list.GetEntries()) {
        servers.append(entry->m_strServer + '/' + entry->m_strTLD);
    }
    EXPECT_EQ(servers.join(' '),
              QByteArray("ccwhois.verisign-grs.com/CC whois.auda.org.au/COM.AU "
                         "whois.auda.org.au/NET.AU whois.hkirc.hk/HK whois.iis.nu/NU "
                         "whois.nic.uk/CO.UK whois.nic.uk/LTD.UK whois.nic.uk/NET.UK "
                         "whois.nic.uk/ORG.UK whois.pir.org/ORG whois.verisign-grs.com/COM "
                         "whois.verisign-grs.com/NET"))
        << "equal servers keep their order";
}

} // namespace
