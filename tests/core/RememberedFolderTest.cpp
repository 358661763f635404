#include "core/RememberedFolder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(RememberedFolder, StoresTheFolderAndThePatternInCapitals)
{
    EXPECT_EQ(
        RememberedFolder::ValueFor(QStringLiteral("/data/reports/week.htm"), QStringLiteral("HTM")),
        QStringLiteral("/data/reports/*.HTM"));
    EXPECT_EQ(RememberedFolder::ValueFor(QStringLiteral("/names.txt"), QStringLiteral("txt")),
              QStringLiteral("/*.TXT"));
    EXPECT_EQ(RememberedFolder::ValueFor(QStringLiteral("bare.txt"), QStringLiteral("TXT")),
              QStringLiteral("bare.txt"))
        << "a path without a folder is stored as it is";
}

TEST(RememberedFolder, NothingStoredStartsInTheHomeFolder)
{
    EXPECT_EQ(RememberedFolder::InitialFileName(QString(), QStringLiteral("TXT")),
              QDir::homePath() + QStringLiteral("/*.txt"));
    EXPECT_EQ(
        RememberedFolder::InitialFileName(QStringLiteral("/data/*.TXT"), QStringLiteral("TXT")),
        QStringLiteral("/data/*.TXT"));
}

} // namespace
