#include "shell/WindowPlacement.h"

#include "support/CaseName.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(WindowPlacement, TextRoundTrip)
{
    const auto placement =
        CWindowPlacement::Parse(QStringLiteral("2,3,-1,-1,-8,-8,100,50,900,650"));
    ASSERT_TRUE(placement.has_value());
    EXPECT_EQ(placement->flags, 2u);
    EXPECT_EQ(placement->showState, 3u);
    EXPECT_EQ(placement->normal, QRect(100, 50, 800, 600));
    EXPECT_EQ(placement->ToString(), QStringLiteral("2,3,-1,-1,-8,-8,100,50,900,650"));
}

struct MalformedCase {
    const char* behaviour;
    const char* text;
};

class MalformedPlacement : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedPlacement, IsIgnored)
{
    EXPECT_FALSE(CWindowPlacement::Parse(QString::fromLatin1(GetParam().text)).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    WindowPlacement, MalformedPlacement,
    testing::Values(MalformedCase{"empty", ""},
                    MalformedCase{"nine numbers", "0,1,-1,-1,-1,10,10,500,400"},
                    MalformedCase{"eleven numbers", "0,1,-1,-1,-1,-1,10,10,500,400,7"},
                    MalformedCase{"text among the numbers", "0,1,-1,-1,-1,x,10,10,500,400"},
                    MalformedCase{"negative flags", "-2,1,-1,-1,-1,-1,10,10,500,400"},
                    MalformedCase{"spaces", "0, 1,-1,-1,-1,-1,10,10,500,400"},
                    MalformedCase{"empty rectangle", "0,1,-1,-1,-1,-1,10,10,10,400"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(WindowPlacement, MaximisedWindowComesBackMaximisedOverItsNormalRectangle)
{
    QWidget window;
    window.setGeometry(120, 80, 640, 480);
    window.showMaximized();
    const CWindowPlacement saved = CWindowPlacement::Of(window);
    EXPECT_EQ(saved.flags, CWindowPlacement::kRestoreMaximized);
    const auto parsed = CWindowPlacement::Parse(saved.ToString());
    ASSERT_TRUE(parsed.has_value());

    QWidget reopened;
    parsed->ApplyTo(reopened);
    EXPECT_TRUE(reopened.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(reopened.normalGeometry().size(), QSize(640, 480));
}

TEST(WindowPlacement, MinimisedWindowComesBackNormal)
{
    QWidget window;
    window.setGeometry(10, 20, 300, 200);
    window.show();
    window.showMinimized();
    const CWindowPlacement saved = CWindowPlacement::Of(window);
    EXPECT_EQ(saved.flags, 0u);
    QWidget reopened;
    CWindowPlacement::Parse(saved.ToString())->ApplyTo(reopened);
    EXPECT_FALSE(reopened.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    EXPECT_EQ(reopened.geometry().size(), QSize(300, 200));
}

} // namespace
