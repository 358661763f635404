#include "core/Settings.h"

#include "support/TestEnvironment.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override { CTestEnvironment::Instance().Reset(); }
};

TEST_F(SettingsTest, CleanMachineRunsWithTheDefaults)
{
    EXPECT_EQ(GetSetting(Setting::MaxEntries), 3000);
    EXPECT_EQ(GetSetting(Setting::StripOutput), 1);
    EXPECT_EQ(GetSetting(Setting::MaxConnections), 5);
    EXPECT_EQ(GetSetting(Setting::ConnectionInterval), 2);
    EXPECT_EQ(GetSetting(Setting::PrintLines), 30);
    EXPECT_EQ(GetSetting(Setting::MinimizeToTray), 0);
    EXPECT_EQ(GetSetting(Setting::RunAtStartup), 0);
    EXPECT_EQ(GetSetting(Setting::SaveRegistrarURL), 1);
    EXPECT_EQ(GetSetting(Setting::NoBothAppend), 1);
    EXPECT_EQ(GetSetting(Setting::RangeFrom), 1);
    EXPECT_TRUE(GetSetting(Setting::WindowPos).isEmpty());
}

TEST_F(SettingsTest, WrittenValuesReadBackUnderTheirSectionAndKey)
{
    SetSetting(Setting::MaxConnections, 12);
    SetSetting(Setting::SavePathHTM, QStringLiteral("/home/user/reports/*.HTM"));
    EXPECT_EQ(GetSetting(Setting::MaxConnections), 12);
    EXPECT_EQ(GetSettingInt(QStringLiteral("Settings"), QStringLiteral("Max Connections"), 5), 12);
    EXPECT_EQ(GetSettingText(QStringLiteral("Save Path"), QStringLiteral("HTM"), QString()),
              QStringLiteral("/home/user/reports/*.HTM"));

    // The store is the per-user INI file of "Tavrel Systems/Quillon".
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavrel Systems"),
                    QStringLiteral("Quillon"));
    EXPECT_TRUE(store.fileName().startsWith(CTestEnvironment::Instance().ConfigFolder()));
    EXPECT_EQ(store.value(QStringLiteral("Settings/Max Connections")).toInt(), 12);
}

TEST_F(SettingsTest, ValueOfTheWrongTypeReadsAsTheDefault)
{
    SetSettingText(QStringLiteral("Settings"), QStringLiteral("Max Entries"),
                   QStringLiteral("many"));
    EXPECT_EQ(GetSetting(Setting::MaxEntries), 3000);
}

} // namespace
