#include "export/ExportFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ExportFile, WritesTheBytesExactly)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.txt"));
    const QByteArray bytes("line\r\n\0binary", 13);
    ASSERT_TRUE(WriteExportFile(path, bytes).Ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST(ExportFile, FailureNamesThePathAndKeepsTheOldFile)
{
    QTemporaryDir folder;
    const CFileResult missingFolder =
        WriteExportFile(folder.filePath(QStringLiteral("no/such/out.txt")), "x");
    EXPECT_FALSE(missingFolder.Ok());
    EXPECT_TRUE(missingFolder.Message().contains(QStringLiteral("no/such/out.txt")));
}

} // namespace
