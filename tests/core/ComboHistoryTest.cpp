#include "core/ComboHistory.h"
#include "core/Settings.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

const QString kSection = QStringLiteral("Keywords");

class ComboHistoryTest : public testing::Test {
protected:
    void SetUp() override { CTestEnvironment::Instance().Reset(); }
};

TEST_F(ComboHistoryTest, NoStoredHistoryIsEmpty)
{
    EXPECT_TRUE(LoadComboHistory(kSection).isEmpty());
}

TEST_F(ComboHistoryTest, NewestFirstAndSurvivesAReload)
{
    QStringList history;
    history = SaveComboHistory(history, QStringLiteral("  first "), kSection);
    history = SaveComboHistory(history, QStringLiteral("second"), kSection);
    EXPECT_EQ(history, (QStringList{QStringLiteral("second"), QStringLiteral("first")}));
    EXPECT_EQ(LoadComboHistory(kSection), history);
}

TEST_F(ComboHistoryTest, RepeatedTextMovesToTheTopWhateverItsCase)
{
    QStringList history;
    for (const char* text : {"alpha", "beta", "gamma"}) {
        history = SaveComboHistory(history, QString::fromLatin1(text), kSection);
    }
    history = SaveComboHistory(history, QStringLiteral("ALPHA"), kSection);
    EXPECT_EQ(history, (QStringList{QStringLiteral("ALPHA"), QStringLiteral("gamma"),
                                    QStringLiteral("beta")}));
    EXPECT_EQ(LoadComboHistory(kSection), history);
}

TEST_F(ComboHistoryTest, TwentySecondTextDropsTheOldest)
{
    QStringList history;
    for (int i = 1; i <= 22; ++i) {
        history = SaveComboHistory(history, QStringLiteral("word%1").arg(i), kSection);
    }
    ASSERT_EQ(history.size(), ComboHistory::kMaxEntries);
    EXPECT_EQ(history.first(), QStringLiteral("word22"));
    EXPECT_EQ(history.last(), QStringLiteral("word2"));
    EXPECT_EQ(LoadComboHistory(kSection), history);
    EXPECT_EQ(GetSettingInt(kSection, QStringLiteral("Count"), 0), 21);
}

TEST_F(ComboHistoryTest, EmptyTextStoresNothing)
{
    const QStringList history =
        SaveComboHistory({QStringLiteral("kept")}, QStringLiteral("   "), kSection);
    EXPECT_EQ(history, QStringList{QStringLiteral("kept")});
    EXPECT_EQ(GetSettingInt(kSection, QStringLiteral("Count"), -1), -1);
}

TEST_F(ComboHistoryTest, EmptyStoredTextsAreSkippedAndKeysBeyondCountIgnored)
{
    SetSettingInt(kSection, QStringLiteral("Count"), 3);
    SetSettingText(kSection, QStringLiteral("1"), QStringLiteral("one"));
    SetSettingText(kSection, QStringLiteral("2"), QString());
    SetSettingText(kSection, QStringLiteral("3"), QStringLiteral("three"));
    SetSettingText(kSection, QStringLiteral("4"), QStringLiteral("stale"));
    EXPECT_EQ(LoadComboHistory(kSection),
              (QStringList{QStringLiteral("one"), QStringLiteral("three")}));
}

} // namespace
