#include "core/SaveFile.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"

#include "support/StoredEntry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>

#include <sys/resource.h>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Files may grow to `bytes` only while this lives: a write beyond fails with EFBIG, as one on a
// full disk fails with ENOSPC, and takes the same way through Qt.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_former);
        m_formerSignal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_former.rlim_max};
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_former);
        std::signal(SIGXFSZ, m_formerSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_former{};
    void (*m_formerSignal)(int) = nullptr;
};

const QString kTooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));

class SaveFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        path = folder.filePath(QStringLiteral("out.txt"));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old file");
    }

    QTemporaryDir folder;
    QString path;
};

TEST_F(SaveFileTest, WritesTheBytesExactly)
{
    const QByteArray bytes("line\r\n\0binary", 13);
    ASSERT_TRUE(SaveFile::Write(path, bytes).Ok());
    EXPECT_EQ(ReadAll(path), bytes);
}

TEST_F(SaveFileTest, FailureNamesThePathAndCreatesNothing)
{
    const QString inMissingFolder = folder.filePath(QStringLiteral("no/such/out.txt"));
    const CFileResult missingFolder = SaveFile::Write(inMissingFolder, "x");
    EXPECT_FALSE(missingFolder.Ok());
    EXPECT_TRUE(missingFolder.Message().startsWith(
        QStringLiteral("\"%1\" could not be written: ").arg(inMissingFolder)));
    EXPECT_FALSE(QFile::exists(inMissingFolder));
}

// A small file fails only when commit() writes out Qt's buffer; a large one fails in write().
// Either way the old file stays and the system's reason is given.
TEST_F(SaveFileTest, FileThatDoesNotFitKeepsTheOldOneAndGivesTheSystemsReason)
{
    for (const qsizetype size : {qsizetype{6000}, qsizetype{200'000}}) {
        SCOPED_TRACE(size);
        const FileSizeLimit limit(4096);
        const CFileResult written = SaveFile::Write(path, QByteArray(size, 'n'));
        EXPECT_EQ(
            written.Message().toStdString(),
            QStringLiteral("\"%1\" could not be written: %2").arg(path, kTooLarge).toStdString());
        EXPECT_EQ(ReadAll(path), QByteArray("the old file"));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
                  QStringList{QStringLiteral("out.txt")})
            << "no temporary file is left behind";
    }
}

TEST_F(SaveFileTest, DocumentThatDoesNotFitKeepsTheOldOneAndGivesTheSystemsReason)
{
    CTLDList tlds;
    CDomainDoc doc(tlds, [](CDomainInfo&) {});
    std::vector<CDomainInfo*> entries;
    for (int i = 0; i < 40; ++i) {
        entries.push_back(&AddStoredEntry(doc, "name" + QByteArray::number(i) + ".com"));
    }
    for (const int recordSize : {100, 2000}) {
        SCOPED_TRACE(recordSize); // the whole list in Qt's buffer, and well beyond it
        for (CDomainInfo* entry : entries) {
            entry->m_strInfo = QByteArray(recordSize, 'r');
        }
        const FileSizeLimit limit(2048);
        const CFileResult saved = doc.OnSaveDocument(path);
        EXPECT_FALSE(saved.Ok());
        EXPECT_TRUE(saved.Message().endsWith(kTooLarge + QLatin1Char('.')) ||
                    saved.Message().endsWith(kTooLarge))
            << saved.Message().toStdString();
        EXPECT_EQ(ReadAll(path), QByteArray("the old file"));
    }
}

} // namespace
