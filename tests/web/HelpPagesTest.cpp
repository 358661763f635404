#include "web/HelpPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(HelpPages, ContentsPageComesFromTheFirstFolderHoldingIt)
{
    QTemporaryDir empty;
    QTemporaryDir first;
    QTemporaryDir second;
    WriteFile(first.filePath(QStringLiteral("zul-1.htm")), "<html></html>");
    WriteFile(second.filePath(QStringLiteral("zul-1.htm")), "<html></html>");
    const QString missing = empty.filePath(QStringLiteral("not-there"));
    EXPECT_EQ(HelpPages::FindContentsPage({missing, empty.path(), first.path(), second.path()}),
              QFileInfo(first.filePath(QStringLiteral("zul-1.htm"))).absoluteFilePath());
}

TEST(HelpPages, NoFolderHoldingTheContentsPageFindsNothing)
{
    QTemporaryDir folder;
    WriteFile(folder.filePath(QStringLiteral("zul-2.htm")), "<html></html>");
    QDir(folder.path()).mkdir(QStringLiteral("zul-1.htm"));
    EXPECT_TRUE(HelpPages::FindContentsPage({folder.path()}).isEmpty());
}

// Every page linked from a shipped help page, followed from the contents page.
QStringList ReachablePages(const QString& contents, QStringList& brokenLinks)
{
    const QDir folder = QFileInfo(contents).dir();
    const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)(#([^\"]*))?\""));
    QStringList pages{QFileInfo(contents).fileName()};
    for (qsizetype i = 0; i < pages.size(); ++i) {
        QFile file(folder.filePath(pages[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            brokenLinks.append(pages[i]);
            continue;
        }
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
            const QString target = match.captured(1);
            const QString anchor = match.captured(3);
            if (!QFileInfo::exists(folder.filePath(target))) {
                brokenLinks.append(pages[i] + QStringLiteral(" -> ") + target);
                continue;
            }
            if (!anchor.isEmpty()) {
                QFile linked(folder.filePath(target));
                if (!linked.open(QIODevice::ReadOnly) ||
                    !linked.readAll().contains("id=\"" + anchor.toUtf8() + '"')) {
                    brokenLinks.append(pages[i] + QStringLiteral(" -> ") + target + u'#' + anchor);
                }
            }
            if (target.endsWith(QLatin1String(".htm")) && !pages.contains(target)) {
                pages.append(target);
            }
        }
    }
    return pages;
}

TEST(HelpPages, ShippedHelpIsFoundAndEveryPageIsReachableWithoutBrokenLinks)
{
    const QString contents = HelpPages::FindContentsPage(HelpPages::CandidateFolders());
    ASSERT_FALSE(contents.isEmpty());
    EXPECT_EQ(QFileInfo(contents).fileName(), QStringLiteral("zul-1.htm"));

    QStringList brokenLinks;
    const QStringList reachable = ReachablePages(contents, brokenLinks);
    EXPECT_TRUE(brokenLinks.isEmpty()) << brokenLinks.join(QStringLiteral(", ")).toStdString();

    const QStringList shipped =
        QFileInfo(contents).dir().entryList({QStringLiteral("*.htm")}, QDir::Files);
    EXPECT_GE(shipped.size(), 8) << "the help covers each part of the program";
    for (const QString& page : shipped) {
        EXPECT_TRUE(reachable.contains(page)) << page.toStdString() << " is linked from no page";
    }
}

} // namespace
