#include "core/DomainDoc.h"
#include "core/TLDList.h"

#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"

#include <QBuffer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

// Entries whose record text says "free" read back as available, the rest as unknown.
void FreeWordRule(CDomainInfo& entry)
{
    entry.m_nStatus = entry.m_strInfo.contains("free") ? STATUS_AVAILABLE : STATUS_UNKNOWN;
}

QByteArray Le16(quint16 v)
{
    return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char(v >> 8));
}

QByteArray EntryBytes(const QByteArray& stored, const QByteArray& info, qint32 timeStatus,
                      const QByteArray& dayBytes, char selected)
{
    return QByteArray(1, char(stored.size())) + stored + QByteArray(1, char(info.size())) + info +
           QByteArray::fromHex(QByteArray::number(timeStatus, 16).rightJustified(2, '0')) +
           QByteArray(3, '\0') + dayBytes + QByteArray(1, selected);
}

const QByteArray kClassHeader = QByteArray::fromHex("ffff 0100 0b00") + "CDomainInfo";
const QByteArray kZeroDays(8, '\0');

class DomainFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        tlds.ClearTLDList();
        tlds.FillDefaults();
    }

    QByteArray Save(const CDomainDoc& document)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(document.Write(buffer).Ok());
        return bytes;
    }

    CFileResult Load(CDomainDoc& document, QByteArray bytes)
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return document.Read(buffer);
    }

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_folder;
    CTLDList tlds;
    CDomainDoc doc{tlds, FreeWordRule};
};

TEST_F(DomainFileTest, EmptyListIsTwoZeroBytes)
{
    EXPECT_EQ(Save(doc), QByteArray::fromHex("0000"));
    CDomainDoc other(tlds, FreeWordRule);
    EXPECT_TRUE(Load(other, QByteArray::fromHex("0000")).Ok());
    EXPECT_EQ(other.GetCount(), 0);
}

TEST_F(DomainFileTest, TwoEntriesAreWrittenByteForByte)
{
    doc.AdmitName("alpha.com");
    CDomainInfo& second = AddStoredEntry(doc, "beta.net");
    second.m_strInfo = "No match";
    second.m_timeChecked = DateTimeValue(DateTimeValue::Valid, 1.5);
    second.m_bTicked = 1;
    second.m_strDNS = "Error";
    second.m_nSuffixMarker = 2;
    second.m_nSuffixNumber = 3;

    const QByteArray expected =
        Le16(2) + kClassHeader + EntryBytes("alpha.com", "", 2, kZeroDays, 0) +
        QByteArray::fromHex("0180") +
        EntryBytes("beta.net~Error@2!3", "No match", 0, QByteArray::fromHex("000000000000f83f"), 1);
    EXPECT_EQ(Save(doc).toHex(' '), expected.toHex(' '));
}

TEST_F(DomainFileTest, RecordsReadBackWithStatusFromTheirText)
{
    AddStoredEntry(doc, "alpha.com").m_strInfo = "this one is free";
    CDomainInfo& beta = AddStoredEntry(doc, "beta.com");
    beta.m_strInfo = "Error: connection refused";
    beta.m_nStatus = STATUS_ERROR_3;

    CDomainDoc other(tlds, FreeWordRule);
    QSignalSpy resets(&other, &CDomainDoc::ListReset);
    ASSERT_TRUE(Load(other, Save(doc)).Ok());
    ASSERT_EQ(other.GetCount(), 2);
    EXPECT_EQ(other.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(other.GetAt(1)->m_nStatus, STATUS_UNKNOWN) << "statuses are not stored";
    EXPECT_EQ(other.GetAt(0)->m_timeChecked.GetStatus(), DateTimeValue::Null);
    QByteArray time;
    other.GetFieldText(0, 3, time);
    EXPECT_EQ(time, QByteArray("-"));
    EXPECT_FALSE(resets.isEmpty());
}

TEST_F(DomainFileTest, BytesOfEveryKindSurviveARoundTrip)
{
    QByteArray info;
    for (int i = 0; i < 256; ++i) {
        info += char(i);
    }
    info = info.repeated(3); // 768 bytes, NULs and all
    CDomainInfo& entry = AddStoredEntry(doc, "alpha.com");
    entry.m_strInfo = info;
    entry.m_bTicked = 7; // an odd byte from some other writer stays as it was
    entry.m_timeChecked = DateTimeValue(DateTimeValue::Invalid, -12.75);

    const QByteArray first = Save(doc);
    CDomainDoc other(tlds, FreeWordRule);
    ASSERT_TRUE(Load(other, first).Ok());
    EXPECT_EQ(other.GetAt(0)->m_strInfo, info);
    EXPECT_EQ(other.GetAt(0)->m_bTicked, 7);
    EXPECT_EQ(other.GetAt(0)->m_timeChecked, DateTimeValue(DateTimeValue::Invalid, -12.75));
    EXPECT_EQ(Save(other), first);
}

TEST_F(DomainFileTest, FileCutInTheThirdEntryKeepsTheFirstTwo)
{
    for (const char* name : {"a.com", "b.com", "c.com", "d.com"}) {
        AddStoredEntry(doc, name).m_strInfo = QByteArray(100, 'x');
    }
    const QByteArray bytes = Save(doc);
    const qsizetype third = bytes.indexOf("c.com");
    ASSERT_GT(third, 0);

    CDomainDoc other(tlds, FreeWordRule);
    const CFileResult result = Load(other, bytes.first(third + 40));
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Message(), QStringLiteral("Unexpected end of file."));
    ASSERT_EQ(other.GetCount(), 2);
    EXPECT_EQ(other.GetAt(1)->m_strName, QByteArray("b.com"));
}

struct DamagedCase {
    const char* behaviour;
    QByteArray bytes;
    int entriesKept;
};

class DamagedFile : public DomainFileTest, public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFile, KeepsWhatWasReadAndSaysWhy)
{
    CDomainDoc other(tlds, FreeWordRule);
    const CFileResult result = Load(other, GetParam().bytes);
    EXPECT_FALSE(result.Ok()) << GetParam().behaviour;
    EXPECT_FALSE(result.Message().isEmpty());
    EXPECT_EQ(other.GetCount(), GetParam().entriesKept) << GetParam().behaviour;
}

const QByteArray kOneEntry = EntryBytes("a.com", "", 2, kZeroDays, 0);

INSTANTIATE_TEST_SUITE_P(
    DomainFile, DamagedFile,
    testing::Values(
        DamagedCase{"no bytes at all", QByteArray(), 0},
        DamagedCase{"a count and nothing else", Le16(3), 0},
        DamagedCase{"a TLD file instead of a list",
                    Le16(1) + QByteArray::fromHex("ffff 0100 0800") + "CTLDInfo" + kOneEntry, 0},
        DamagedCase{"another schema",
                    Le16(1) + QByteArray::fromHex("ffff 0200 0b00") + "CDomainInfo" + kOneEntry, 0},
        DamagedCase{"an empty object where the second entry belongs",
                    Le16(2) + kClassHeader + kOneEntry + QByteArray::fromHex("0000") + kOneEntry,
                    1},
        DamagedCase{
            "a count larger than the entries present",
            Le16(60000) + kClassHeader + kOneEntry + QByteArray::fromHex("0180") + kOneEntry, 2},
        DamagedCase{"a text length beyond the end of the file",
                    Le16(1) + kClassHeader + QByteArray::fromHex("ff ffff ffffff7f") + "a.com", 0}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(DomainFileTest, SaveAndOpenThroughFiles)
{
    doc.AdmitName("alpha.com");
    const QString path = m_folder.filePath(QStringLiteral("list.zul"));
    ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);

    CDomainDoc other(tlds, FreeWordRule);
    other.AdmitName("stale.com");
    ASSERT_TRUE(other.OnOpenDocument(path).Ok());
    ASSERT_EQ(other.GetCount(), 1);
    EXPECT_EQ(other.GetAt(0)->m_strName, QByteArray("alpha.com"));
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(other.GetPathName(), path);
}

TEST_F(DomainFileTest, FileThatCannotBeOpenedLeavesTheListAlone)
{
    doc.AdmitName("alpha.com");
    const CFileResult result = doc.OnOpenDocument(m_folder.filePath(QStringLiteral("missing.zul")));
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(doc.GetCount(), 1);
    EXPECT_TRUE(doc.GetPathName().isEmpty());
}

TEST_F(DomainFileTest, ListLongerThanAFileHoldsIsRefusedAndTheOldFileKept)
{
    const QString path = WriteFile(QStringLiteral("big.zul"), QByteArray::fromHex("0000"));
    doc.SetMaxEntries(70000);
    for (int i = 0; i < 65536; ++i) {
        ASSERT_TRUE(doc.AdmitName("n" + QByteArray::number(i) + ".com"));
    }
    const CFileResult result = doc.OnSaveDocument(path);
    EXPECT_FALSE(result.Ok());
    EXPECT_TRUE(result.Message().contains(QStringLiteral("65,535")) ||
                result.Message().contains(QStringLiteral("65535")))
        << result.Message().toStdString();
    EXPECT_TRUE(doc.IsModified());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray::fromHex("0000")) << "the file on disk is untouched";

    doc.RemoveName("n0.com");
    ASSERT_TRUE(doc.OnSaveDocument(path).Ok()) << "65,535 entries fit";
    CDomainDoc other(tlds, FreeWordRule);
    ASSERT_TRUE(other.OnOpenDocument(path).Ok());
    EXPECT_EQ(other.GetCount(), 65535);
    EXPECT_EQ(other.GetAt(65534)->m_strName, QByteArray("n65535.com"));
}

TEST_F(DomainFileTest, SaveIntoAFolderThatDoesNotExistFails)
{
    doc.AdmitName("alpha.com");
    const CFileResult result =
        doc.OnSaveDocument(m_folder.filePath(QStringLiteral("no/such/folder/list.zul")));
    EXPECT_FALSE(result.Ok());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
}

} // namespace
