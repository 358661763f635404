#include "names/WordLists.h"

#include "core/DataFolder.h"

#include "support/CaseName.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void WriteDataFile(const QString& name, const QByteArray& bytes)
{
    DataFolder::Ensure();
    QFile file(DataFolder::FilePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadDataFile(const QString& name)
{
    QFile file(DataFolder::FilePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct NormaliseCase {
    const char* behaviour;
    QByteArray text;
    QByteArray expected;
};

class NormalisedWords : public testing::TestWithParam<NormaliseCase> {};

TEST_P(NormalisedWords, AreOnePerLine)
{
    EXPECT_EQ(NormaliseWordList(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WordLists, NormalisedWords,
    testing::Values(
        NormaliseCase{"semicolon and space split", "a;b c", "a\r\nb\r\nc\r\n"},
        NormaliseCase{"punctuation alone leaves nothing", " ,;:-.!?", ""},
        NormaliseCase{"empty stays empty", "", ""},
        NormaliseCase{"lines already normalised stay", "free\r\ngood\r\n", "free\r\ngood\r\n"},
        NormaliseCase{"dash inside a word splits it", "e-mail", "e\r\nmail\r\n"},
        NormaliseCase{"hash digits and tab survive", "#1\tx 42", "#1\tx\r\n42\r\n"},
        NormaliseCase{"every break mark splits",
                      "a b,c;d:e-f\rg\nh~i!j@k$l%m^n&o*p(q)r[s]t{u}v|w\\x/y?z>A<B.C\"D+E_F=G'H",
                      "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\nm\r\nn\r\no\r\n"
                      "p\r\nq\r\nr\r\ns\r\nt\r\nu\r\nv\r\nw\r\nx\r\ny\r\nz\r\nA\r\nB\r\nC\r\nD\r\n"
                      "E\r\nF\r\nG\r\nH\r\n"},
        NormaliseCase{"backquote and bytes above 127 stay inside", "a`b caf\xe9",
                      "a`b\r\ncaf\xe9\r\n"},
        NormaliseCase{"repeated words are kept", "learn,good,learn", "learn\r\ngood\r\nlearn\r\n"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

struct FileNameCase {
    const char* behaviour;
    int webType;
    WordSide side;
    const char* expected;
};

class WordFileNames : public testing::TestWithParam<FileNameCase> {};

TEST_P(WordFileNames, FollowTheWebType)
{
    EXPECT_EQ(WordFileName(GetParam().webType, GetParam().side),
              QLatin1String(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    WordLists, WordFileNames,
    testing::Values(FileNameCase{"all beginning", 0, WordSide::Beginning, "zul.1"},
                    FileNameCase{"all end", 0, WordSide::End, "zul.2"},
                    FileNameCase{"business beginning", 1, WordSide::Beginning, "zul1.1"},
                    FileNameCase{"fun end", 3, WordSide::End, "zul3.2"},
                    FileNameCase{"custom end", 5, WordSide::End, "zul5.2"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

class WordListFiles : public testing::Test {
protected:
    void SetUp() override { CTestEnvironment::Instance().Reset(); }
};

TEST_F(WordListFiles, BuiltInWordsShowWhenNoFileExists)
{
    EXPECT_EQ(WordsForWebType(0, WordSide::Beginning),
              "free\r\ngood\r\n4\r\nnet\r\nmicro\r\ndesk\r\nbusy\r\n");
    EXPECT_EQ(WordsForWebType(3, WordSide::Beginning), "good\r\nnice\r\nfast\r\n");
    EXPECT_EQ(WordsForWebType(4, WordSide::End),
              "coach\r\nrun\r\ntrial\r\nleague\r\ngame\r\nrace\r\n");
    EXPECT_EQ(WordsForWebType(2, WordSide::Beginning).count("learn\r\n"), 2);
    EXPECT_TRUE(WordsForWebType(1, WordSide::End).endsWith("tek\r\nonline\r\n"));
    EXPECT_TRUE(WordsForWebType(5, WordSide::Beginning).isEmpty());
    EXPECT_TRUE(WordsForWebType(5, WordSide::End).isEmpty());
}

TEST_F(WordListFiles, WordFileWinsOverTheBuiltInWords)
{
    WriteDataFile(QStringLiteral("zul3.1"), "alpha;beta gamma");
    EXPECT_EQ(WordsForWebType(3, WordSide::Beginning), "alpha\r\nbeta\r\ngamma\r\n");
    EXPECT_EQ(WordsForWebType(3, WordSide::End),
              "jokes\r\njoker\r\nlaugh\r\nsmile\r\njump\r\nplay\r\nground\r\n");
}

TEST_F(WordListFiles, EmptyWordFileStaysEmpty)
{
    WriteDataFile(QStringLiteral("zul.2"), "");
    EXPECT_TRUE(WordsForWebType(0, WordSide::End).isEmpty());
}

TEST_F(WordListFiles, UnreadableWordFileFallsBackToTheBuiltInWords)
{
    ASSERT_TRUE(QDir().mkpath(DataFolder::FilePath(QStringLiteral("zul4.1"))));
    EXPECT_EQ(WordsForWebType(4, WordSide::Beginning).left(13), "fast\r\nquick\r\n");
}

TEST_F(WordListFiles, ZeroByteEndsTheWordFile)
{
    WriteDataFile(QStringLiteral("zul1.1"), QByteArray("one two\0three", 13));
    EXPECT_EQ(WordsForWebType(1, WordSide::Beginning), "one\r\ntwo\r\n");
}

TEST_F(WordListFiles, SavedWordFileHoldsTheBytesExactly)
{
    QDir(DataFolder::Path()).removeRecursively();
    const QByteArray bytes = "caf\xe9\r\nfree\nweb";
    EXPECT_TRUE(SaveWordList(2, WordSide::End, bytes).Ok());
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul2.2")), bytes);
    EXPECT_TRUE(SaveWordList(0, WordSide::Beginning, "").Ok());
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul.1")), QByteArray(""));
}

TEST_F(WordListFiles, UnwritableWordFileIsReported)
{
    ASSERT_TRUE(QDir().mkpath(DataFolder::FilePath(QStringLiteral("zul5.1"))));
    EXPECT_FALSE(SaveWordList(5, WordSide::Beginning, "word").Ok());
}

} // namespace
