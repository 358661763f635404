#include "shell/SystemTray.h"

#include "core/Settings.h"
#include "support/CaseName.h"
#include "support/TestEnvironment.h"
#include "view/UserPrompt.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

QIcon SolidIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

class SystemTrayTest : public testing::Test {
protected:
    void SetUp() override
    {
        CUserPrompt::Reset();
        CUserPrompt::SetAutomatic(true);
        CTestEnvironment::Instance().Reset();
    }

    // A tray on a desktop that offers a notification area, with three animation frames.
    void CreatePresent()
    {
        ASSERT_TRUE(m_tray.Create(m_normal, CSystemTray::Availability::Present));
        ASSERT_TRUE(m_tray.SetIconList(m_frames));
    }

    QSystemTrayIcon* TrayIcon() { return m_tray.findChild<QSystemTrayIcon*>(); }
    qint64 ShownIconKey() { return m_tray.GetIcon().cacheKey(); }

    QIcon m_normal = SolidIcon(Qt::blue);
    QList<QIcon> m_frames{SolidIcon(Qt::red), SolidIcon(Qt::green), SolidIcon(Qt::yellow)};
    CSystemTray m_tray;
};

TEST_F(SystemTrayTest, OffscreenDesktopHasNoNotificationAreaAndEveryOperationFails)
{
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    EXPECT_FALSE(m_tray.Create(m_normal));
    EXPECT_FALSE(m_tray.IsEnabled());
    EXPECT_EQ(TrayIcon(), nullptr);
    EXPECT_FALSE(m_tray.ShowIcon());
    EXPECT_FALSE(m_tray.HideIcon());
    EXPECT_FALSE(m_tray.SetIcon(m_normal));
    EXPECT_TRUE(m_tray.GetIcon().isNull());
    EXPECT_FALSE(m_tray.SetIconList(m_frames));
    EXPECT_FALSE(m_tray.SetDefaultMenuItem(0));
    EXPECT_EQ(m_tray.GetMenu(), nullptr);
    EXPECT_FALSE(m_tray.Animate(CSystemTray::kBusyStep, CSystemTray::kNoLimit));
    EXPECT_FALSE(m_tray.IsAnimating());
    EXPECT_FALSE(m_tray.StepAnimation());
    EXPECT_FALSE(m_tray.StopAnimation());
}

TEST_F(SystemTrayTest, WithoutNotificationAreaMinimizeToTrayMinimisesTheWindow)
{
    ASSERT_FALSE(m_tray.Create(m_normal, CSystemTray::Availability::Absent));
    QWidget window;
    window.show();
    m_tray.MinimizeToTray(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMinimized());
}

TEST_F(SystemTrayTest, CreatedIconStartsHiddenWithTooltipAndIcon)
{
    CreatePresent();
    EXPECT_TRUE(m_tray.IsEnabled());
    EXPECT_TRUE(m_tray.IsHidden());
    ASSERT_NE(TrayIcon(), nullptr);
    EXPECT_FALSE(TrayIcon()->isVisible());
    EXPECT_EQ(TrayIcon()->toolTip(), QStringLiteral("Quillon"));
    EXPECT_EQ(ShownIconKey(), m_normal.cacheKey());
    EXPECT_EQ(TrayIcon()->contextMenu(), m_tray.GetMenu());
}

TEST_F(SystemTrayTest, MinimizeToTrayHidesTheWindowAndShowsTheIconUntilShowBringsItBack)
{
    CreatePresent();
    QWidget window;
    window.show();
    m_tray.MinimizeToTray(window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(m_tray.IsHidden());
    EXPECT_TRUE(TrayIcon()->isVisible());

    m_tray.ShowWindow(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(m_tray.IsHidden());
    EXPECT_FALSE(TrayIcon()->isVisible());
}

TEST_F(SystemTrayTest, TooltipCarriesTheStatusLineBelowTheNameAndMessagesNeedTheIconShown)
{
    EXPECT_FALSE(m_tray.SetStatusLine(QStringLiteral("checked 1 of 2, 0 available")))
        << "no icon yet";
    CreatePresent();
    ASSERT_TRUE(m_tray.SetStatusLine(QStringLiteral("checked 1 of 2, 0 available")));
    EXPECT_EQ(m_tray.GetToolTip(), QStringLiteral("Quillon\nchecked 1 of 2, 0 available"));
    ASSERT_TRUE(m_tray.SetStatusLine(QString()));
    EXPECT_EQ(m_tray.GetToolTip(), QStringLiteral("Quillon"));
    EXPECT_FALSE(m_tray.ShowMessage(QStringLiteral("Lookups finished"), QString()))
        << "a hidden icon cannot carry a message";
}

TEST_F(SystemTrayTest, ShowLeavesAMinimisedWindowMinimised)
{
    CreatePresent();
    QWidget window;
    window.showMinimized();
    m_tray.ShowIcon();
    m_tray.ShowWindow(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMinimized());
    EXPECT_FALSE(TrayIcon()->isVisible());
}

TEST_F(SystemTrayTest, MenuOffersShowInBoldAsTheDefaultAndOptions)
{
    CreatePresent();
    QMenu* menu = m_tray.GetMenu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Show..."));
    EXPECT_EQ(items[1]->text(), QStringLiteral("&Options..."));
    EXPECT_EQ(menu->defaultAction(), items[0]);
    EXPECT_TRUE(items[0]->font().bold());
    EXPECT_FALSE(items[1]->font().bold());
}

TEST_F(SystemTrayTest, MenuItemsEmitTheirSignals)
{
    CreatePresent();
    int shows = 0;
    int options = 0;
    QObject::connect(&m_tray, &CSystemTray::ShowRequested, &m_tray, [&] { ++shows; });
    QObject::connect(&m_tray, &CSystemTray::OptionsRequested, &m_tray, [&] { ++options; });
    m_tray.GetMenu()->actions()[1]->trigger();
    EXPECT_EQ(shows, 0);
    EXPECT_EQ(options, 1);
    m_tray.GetMenu()->actions()[0]->trigger();
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(options, 1);
}

struct ClickCase {
    const char* behaviour;
    QSystemTrayIcon::ActivationReason reason;
    int defaultItem;
    int expectedShows;
    int expectedOptions;
};

class TrayClick : public SystemTrayTest, public testing::WithParamInterface<ClickCase> {};

TEST_P(TrayClick, RunsTheDefaultItemOrNothing)
{
    CreatePresent();
    ASSERT_TRUE(m_tray.SetDefaultMenuItem(GetParam().defaultItem));
    int shows = 0;
    int options = 0;
    QObject::connect(&m_tray, &CSystemTray::ShowRequested, &m_tray, [&] { ++shows; });
    QObject::connect(&m_tray, &CSystemTray::OptionsRequested, &m_tray, [&] { ++options; });
    Q_EMIT TrayIcon()->activated(GetParam().reason);
    EXPECT_EQ(shows, GetParam().expectedShows);
    EXPECT_EQ(options, GetParam().expectedOptions);
}

INSTANTIATE_TEST_SUITE_P(
    SystemTray, TrayClick,
    testing::Values(
        ClickCase{"double click shows the window", QSystemTrayIcon::DoubleClick, 0, 1, 0},
        ClickCase{"single click shows the window", QSystemTrayIcon::Trigger, 0, 1, 0},
        ClickCase{"right click only opens the menu", QSystemTrayIcon::Context, 0, 0, 0},
        ClickCase{"middle click does nothing", QSystemTrayIcon::MiddleClick, 0, 0, 0},
        ClickCase{"double click runs a moved default item", QSystemTrayIcon::DoubleClick, 1, 0, 1}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(SystemTrayTest, DefaultItemMovesTheBoldAndRefusesPositionsOutsideTheMenu)
{
    CreatePresent();
    ASSERT_TRUE(m_tray.SetDefaultMenuItem(1));
    const QList<QAction*> items = m_tray.GetMenu()->actions();
    EXPECT_FALSE(items[0]->font().bold());
    EXPECT_TRUE(items[1]->font().bold());
    EXPECT_EQ(m_tray.GetMenu()->defaultAction(), items[1]);
    EXPECT_FALSE(m_tray.SetDefaultMenuItem(2));
    EXPECT_FALSE(m_tray.SetDefaultMenuItem(-1));
    EXPECT_EQ(m_tray.GetMenu()->defaultAction(), items[1]);
}

TEST_F(SystemTrayTest, AnimationStepsThroughTheFramesAndWrapsRound)
{
    CreatePresent();
    ASSERT_TRUE(m_tray.Animate(1h, CSystemTray::kNoLimit));
    EXPECT_TRUE(m_tray.IsAnimating());
    EXPECT_EQ(ShownIconKey(), m_normal.cacheKey());
    const int expected[] = {1, 2, 0, 1};
    for (const int frame : expected) {
        ASSERT_TRUE(m_tray.StepAnimation());
        EXPECT_EQ(ShownIconKey(), m_frames[frame].cacheKey()) << "frame " << frame;
    }
}

TEST_F(SystemTrayTest, StopShowsAgainTheIconTheAnimationStartedFrom)
{
    CreatePresent();
    ASSERT_TRUE(m_tray.Animate(1h, CSystemTray::kNoLimit));
    m_tray.StepAnimation();
    m_tray.StepAnimation();
    ASSERT_TRUE(m_tray.StopAnimation());
    EXPECT_FALSE(m_tray.IsAnimating());
    EXPECT_EQ(ShownIconKey(), m_normal.cacheKey());
}

TEST_F(SystemTrayTest, AnimatingAgainWhileAnimatingChangesNothing)
{
    CreatePresent();
    ASSERT_TRUE(m_tray.Animate(1h, CSystemTray::kNoLimit));
    m_tray.StepAnimation();
    m_tray.StepAnimation();
    EXPECT_TRUE(m_tray.Animate(1h, CSystemTray::kNoLimit));
    EXPECT_EQ(ShownIconKey(), m_frames[2].cacheKey());
    m_tray.StepAnimation();
    EXPECT_EQ(ShownIconKey(), m_frames[0].cacheKey());
    m_tray.StopAnimation();
    EXPECT_EQ(ShownIconKey(), m_normal.cacheKey());
}

TEST_F(SystemTrayTest, TimerShowsEveryFrameInTurn)
{
    CreatePresent();
    QList<qint64> shown;
    ASSERT_TRUE(m_tray.Animate(10ms, CSystemTray::kNoLimit));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            if (shown.isEmpty() || shown.last() != ShownIconKey()) {
                shown.append(ShownIconKey());
            }
            return shown.size() >= 5;
        },
        5000));
    m_tray.StopAnimation();
    ASSERT_GE(shown.size(), 5);
    // The first entry is the icon before the first tick; then frames 1, 2, 0, 1.
    EXPECT_EQ(shown[1], m_frames[1].cacheKey());
    EXPECT_EQ(shown[2], m_frames[2].cacheKey());
    EXPECT_EQ(shown[3], m_frames[0].cacheKey());
    EXPECT_EQ(shown[4], m_frames[1].cacheKey());
}

TEST_F(SystemTrayTest, LimitEndsTheAnimationOnlyOnceMoreWholeSecondsHavePassed)
{
    CreatePresent();
    ASSERT_TRUE(m_tray.Animate(50ms, 1s));
    QTest::qWait(1300);
    EXPECT_TRUE(m_tray.IsAnimating());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_tray.IsAnimating(); }, 4000));
    EXPECT_EQ(ShownIconKey(), m_normal.cacheKey());
}

TEST_F(SystemTrayTest, StopEndsTheTimer)
{
    CreatePresent();
    ASSERT_TRUE(m_tray.Animate(10ms, CSystemTray::kNoLimit));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShownIconKey() != m_normal.cacheKey(); }, 2000));
    m_tray.StopAnimation();
    QTest::qWait(100);
    EXPECT_EQ(ShownIconKey(), m_normal.cacheKey());
}

struct FrameListCase {
    const char* behaviour;
    // Qt::GlobalColor values; kMissing stands for a frame that could not be made.
    QList<int> colours;
    bool accepted;
};

constexpr int kMissing = -1;

class FrameList : public SystemTrayTest, public testing::WithParamInterface<FrameListCase> {};

TEST_P(FrameList, WithoutUsableFramesStepsKeepTheIcon)
{
    ASSERT_TRUE(m_tray.Create(m_normal, CSystemTray::Availability::Present));
    QList<QIcon> frames;
    for (const int colour : GetParam().colours) {
        frames.append(colour == kMissing ? QIcon() : SolidIcon(Qt::GlobalColor(colour)));
    }
    EXPECT_EQ(m_tray.SetIconList(frames), GetParam().accepted);
    ASSERT_TRUE(m_tray.Animate(1h, CSystemTray::kNoLimit));
    EXPECT_TRUE(m_tray.StepAnimation());
    EXPECT_EQ(ShownIconKey(), m_normal.cacheKey());
}

INSTANTIATE_TEST_SUITE_P(SystemTray, FrameList,
                         testing::Values(FrameListCase{"empty list", {}, true},
                                         FrameListCase{"missing frame empties the list",
                                                       {Qt::red, kMissing, Qt::green},
                                                       false}),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

struct StartCase {
    const char* behaviour;
    int minimizeToTray;
    CSystemTray::Availability availability;
    bool windowVisible;
    bool windowMinimised;
    bool iconShown;
};

class StartInTray : public SystemTrayTest, public testing::WithParamInterface<StartCase> {};

TEST_P(StartInTray, FollowsTheSettingOnceStartUpHasShownTheWindow)
{
    SetSetting(Setting::MinimizeToTray, GetParam().minimizeToTray);
    m_tray.Create(m_normal, GetParam().availability);
    QWidget window;
    m_tray.MinimizeAtStartIfSet(window);
    window.show();
    EXPECT_TRUE(window.isVisible());
    QTest::qWait(10);
    EXPECT_EQ(window.isVisible(), GetParam().windowVisible);
    EXPECT_EQ(window.isMinimized(), GetParam().windowMinimised);
    EXPECT_EQ(m_tray.IsEnabled() && !m_tray.IsHidden(), GetParam().iconShown);
}

INSTANTIATE_TEST_SUITE_P(
    SystemTray, StartInTray,
    testing::Values(StartCase{"setting on goes to the tray", 1, CSystemTray::Availability::Present,
                              false, false, true},
                    StartCase{"setting on without tray minimises", 1,
                              CSystemTray::Availability::Absent, true, true, false},
                    StartCase{"setting off stays on screen", 0, CSystemTray::Availability::Present,
                              true, false, false}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
