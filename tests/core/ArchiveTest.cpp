#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

#include <QBuffer>

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

QByteArray Written(const std::function<void(CArchiveWriter&)>& write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchiveWriter archive(buffer);
    write(archive);
    EXPECT_TRUE(archive.Flush());
    return bytes;
}

struct Reading {
    explicit Reading(QByteArray data)
        : bytes(std::move(data))
        , buffer(&bytes)
    {
        buffer.open(QIODevice::ReadOnly);
    }
    QByteArray bytes;
    QBuffer buffer;
};

struct LengthCase {
    const char* behaviour;
    qsizetype length;
    QByteArray prefix;
};

class StringLengthPrefix : public testing::TestWithParam<LengthCase> {};

TEST_P(StringLengthPrefix, IsWrittenAndReadBack)
{
    const LengthCase& c = GetParam();
    const QByteArray text(c.length, 'x');
    const QByteArray bytes = Written([&](CArchiveWriter& a) { a.WriteString(text); });
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
    EXPECT_EQ(bytes.first(c.prefix.size()).toHex(' '), c.prefix.toHex(' '));

    Reading reading(bytes);
    CArchiveReader archive(reading.buffer);
    EXPECT_EQ(archive.ReadString(), text);
    EXPECT_FALSE(archive.Failed());
    EXPECT_EQ(archive.Remaining(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Archive, StringLengthPrefix,
    testing::Values(LengthCase{"empty", 0, QByteArray::fromHex("00")},
                    LengthCase{"longest one-byte length", 254, QByteArray::fromHex("fe")},
                    LengthCase{"shortest 16-bit length", 255, QByteArray::fromHex("ff ff 00")},
                    LengthCase{"record of 300 characters", 300, QByteArray::fromHex("ff 2c 01")},
                    LengthCase{"longest 16-bit length", 65533, QByteArray::fromHex("ff fd ff")},
                    LengthCase{"length that would read as the UTF-16 marker", 65534,
                               QByteArray::fromHex("ff ff ff fe ff 00 00")},
                    LengthCase{"long text", 70000, QByteArray::fromHex("ff ff ff 70 11 01 00")}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(Archive, NumbersAreLittleEndianAndExact)
{
    const QByteArray bytes = Written([](CArchiveWriter& a) {
        a.WriteCount(0x1234);
        a.WriteInt32(-2);
        a.WriteDouble(1.5);
        a.WriteByte(0xAB);
    });
    EXPECT_EQ(bytes.toHex(' '), QByteArray("34 12 fe ff ff ff 00 00 00 00 00 00 f8 3f ab"));

    Reading reading(bytes);
    CArchiveReader archive(reading.buffer);
    EXPECT_EQ(archive.ReadCount(), 0x1234);
    EXPECT_EQ(archive.ReadInt32(), -2);
    EXPECT_EQ(archive.ReadDouble(), 1.5);
    EXPECT_EQ(archive.ReadByte(), 0xAB);
    EXPECT_FALSE(archive.Failed());
}

TEST(Archive, FirstObjectOfAClassCarriesItsHeaderLaterOnesItsIndex)
{
    const QByteArray bytes = Written([](CArchiveWriter& a) {
        a.WriteObjectTag("CTLDInfo", 1);
        a.WriteObjectTag("CTLDInfo", 1);
        a.WriteObjectTag("CTLDInfo", 1);
    });
    EXPECT_EQ(bytes, QByteArray::fromHex("ffff 0100 0800") + "CTLDInfo" +
                         QByteArray::fromHex("0180 0180"));

    Reading reading(bytes);
    CArchiveReader archive(reading.buffer);
    EXPECT_TRUE(archive.ReadObjectTag("CTLDInfo", 1));
    EXPECT_TRUE(archive.ReadObjectTag("CTLDInfo", 1));
    EXPECT_TRUE(archive.ReadObjectTag("CTLDInfo", 1));
    EXPECT_FALSE(archive.Failed());
}

struct HostileCase {
    const char* behaviour;
    QByteArray bytes;
    CArchiveReader::Error error;
};

class HostileObjectTag : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileObjectTag, StopsReadingWithAnError)
{
    Reading reading(GetParam().bytes);
    CArchiveReader archive(reading.buffer);
    bool ok = archive.ReadObjectTag("CTLDInfo", 1);
    ok = ok && archive.ReadObjectTag("CTLDInfo", 1);
    EXPECT_FALSE(ok) << GetParam().behaviour;
    EXPECT_EQ(archive.GetError(), GetParam().error) << GetParam().behaviour;
    EXPECT_FALSE(archive.ErrorText().isEmpty());
    // Once failed, the reader stays failed and hands out empty values.
    EXPECT_EQ(archive.ReadString(), QByteArray());
    EXPECT_EQ(archive.GetError(), GetParam().error);
}

const QByteArray kHeader = QByteArray::fromHex("ffff 0100 0800") + "CTLDInfo";

INSTANTIATE_TEST_SUITE_P(
    Archive, HostileObjectTag,
    testing::Values(
        HostileCase{"another class name", QByteArray::fromHex("ffff 0100 0800") + "CXLDInfo",
                    CArchiveReader::Error::BadClass},
        HostileCase{"another schema", QByteArray::fromHex("ffff 0200 0800") + "CTLDInfo",
                    CArchiveReader::Error::BadSchema},
        HostileCase{"class name longer than any class", QByteArray::fromHex("ffff 0100 ff7f"),
                    CArchiveReader::Error::BadClass},
        HostileCase{"empty object reference", kHeader + QByteArray::fromHex("0000"),
                    CArchiveReader::Error::BadFormat},
        HostileCase{"reference back to an earlier object", kHeader + QByteArray::fromHex("0200"),
                    CArchiveReader::Error::BadFormat},
        HostileCase{"reference to a class never stored", kHeader + QByteArray::fromHex("0580"),
                    CArchiveReader::Error::BadFormat},
        HostileCase{"big tag without the class bit", kHeader + QByteArray::fromHex("ff7f 01000000"),
                    CArchiveReader::Error::BadFormat},
        HostileCase{"tag cut in half", kHeader + QByteArray::fromHex("01"),
                    CArchiveReader::Error::EndOfFile},
        HostileCase{"class name cut short", QByteArray::fromHex("ffff 0100 0800") + "CTLD",
                    CArchiveReader::Error::EndOfFile}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(Archive, BigClassTagIsAccepted)
{
    Reading reading(kHeader + QByteArray::fromHex("ff7f 01000080"));
    CArchiveReader archive(reading.buffer);
    EXPECT_TRUE(archive.ReadObjectTag("CTLDInfo", 1));
    EXPECT_TRUE(archive.ReadObjectTag("CTLDInfo", 1));
}

TEST(Archive, StringLongerThanTheFileFailsWithoutReadingOn)
{
    // A 32-bit length of 4 GiB in a file of a few bytes must not be believed.
    Reading reading(QByteArray::fromHex("ff ffff ffffffff") + "abc");
    CArchiveReader archive(reading.buffer);
    EXPECT_EQ(archive.ReadString(), QByteArray());
    EXPECT_EQ(archive.GetError(), CArchiveReader::Error::EndOfFile);
    EXPECT_EQ(archive.ErrorText(), QStringLiteral("Unexpected end of file."));
}

TEST(Archive, Utf16StringMarkerIsRefused)
{
    Reading reading(QByteArray::fromHex("ff feff 02 6100 6200"));
    CArchiveReader archive(reading.buffer);
    archive.ReadString();
    EXPECT_EQ(archive.GetError(), CArchiveReader::Error::BadFormat);
}

TEST(Archive, StringSpanningManyBufferFillsReadsBack)
{
    QByteArray text(300'000, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char>(i * 7);
    }
    const QByteArray bytes = Written([&](CArchiveWriter& a) {
        a.WriteByte(1);
        a.WriteString(text);
        a.WriteString("tail");
    });
    Reading reading(bytes);
    CArchiveReader archive(reading.buffer);
    EXPECT_EQ(archive.ReadByte(), 1);
    EXPECT_EQ(archive.ReadString(), text);
    EXPECT_EQ(archive.ReadString(), QByteArray("tail"));
    EXPECT_FALSE(archive.Failed());
}

} // namespace
