#include "shell/ProgramIcons.h"

#include "support/CaseName.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using ProgramIcons::kBusyFrameCount;

bool IsAmber(QColor colour)
{
    return colour.alpha() > 200 && colour.red() > 200 && colour.green() > 120 &&
           colour.green() < 210 && colour.blue() < 90;
}

// The colour on the rim of the lens at a clock angle (degrees, counter-clockwise from three
// o'clock) in a 48-pixel picture, where the lens is centred on (20, 20) with its rim at 15.5.
QColor RimColourAt(const QImage& image, double degrees)
{
    const double radians = degrees * std::numbers::pi / 180.0;
    const int x = static_cast<int>(std::lround(20.0 + 15.5 * std::cos(radians) - 0.5));
    const int y = static_cast<int>(std::lround(20.0 - 15.5 * std::sin(radians) - 0.5));
    return image.pixelColor(x, y);
}

int AmberPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += IsAmber(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

class IconSize : public testing::TestWithParam<int> {};

TEST_P(IconSize, ProgramPictureFillsItsSquareWithABlueGlobeOnATransparentGround)
{
    const int size = GetParam();
    const QImage image = ProgramIcons::DrawProgramImage(size);
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(image.pixelColor(size - 1, 0).alpha(), 0) << "top right corner";
    EXPECT_EQ(image.pixelColor(0, size - 1).alpha(), 0) << "bottom left corner";
    const QColor globe = image.pixelColor(size * 25 / 48, size * 16 / 48);
    EXPECT_EQ(globe.alpha(), 255);
    EXPECT_GT(globe.blue(), globe.red() + 60);
    const QColor handle = image.pixelColor(size * 37 / 48, size * 37 / 48);
    EXPECT_EQ(handle.alpha(), 255) << "the handle reaches the lower right";
    EXPECT_EQ(AmberPixels(image), 0) << "the resting icon has no busy arc";
}

TEST_P(IconSize, BusyFramesDifferFromEachOtherAndFromTheRestingIcon)
{
    const int size = GetParam();
    QList<QImage> pictures{ProgramIcons::DrawProgramImage(size)};
    for (int frame = 0; frame < kBusyFrameCount; ++frame) {
        pictures.append(ProgramIcons::DrawBusyImage(frame, size));
        EXPECT_EQ(pictures.last().size(), QSize(size, size));
    }
    for (int a = 0; a < pictures.size(); ++a) {
        for (int b = a + 1; b < pictures.size(); ++b) {
            EXPECT_NE(pictures[a], pictures[b]) << "pictures " << a << " and " << b;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ProgramIcons, IconSize, testing::Values(16, 22, 24, 32, 48, 64, 256));

TEST(ProgramIcons, BusyArcRunsClockwiseASixthOfATurnPerFrame)
{
    for (int frame = 0; frame < kBusyFrameCount; ++frame) {
        const QImage image = ProgramIcons::DrawBusyImage(frame, 48);
        const double head = 90.0 - frame * 60.0;
        EXPECT_TRUE(IsAmber(RimColourAt(image, head + 15.0)))
            << "just behind the head, frame " << frame;
        EXPECT_FALSE(IsAmber(RimColourAt(image, head - 40.0)))
            << "ahead of the head, frame " << frame;
        EXPECT_FALSE(IsAmber(RimColourAt(image, head + 180.0))) << "opposite, frame " << frame;
    }
}

TEST(ProgramIcons, FramesLoopWithoutAJump)
{
    EXPECT_EQ(ProgramIcons::DrawBusyImage(kBusyFrameCount, 32), ProgramIcons::DrawBusyImage(0, 32));
    EXPECT_EQ(ProgramIcons::DrawBusyImage(-1, 32),
              ProgramIcons::DrawBusyImage(kBusyFrameCount - 1, 32));
}

TEST(ProgramIcons, NoSizeGivesNoPicture)
{
    EXPECT_TRUE(ProgramIcons::DrawProgramImage(0).isNull());
    EXPECT_TRUE(ProgramIcons::DrawBusyImage(0, -5).isNull());
}

TEST(ProgramIcons, IconsOfferTheNotificationAreaAndTitleBarSizes)
{
    const QIcon program = ProgramIcons::ProgramIcon();
    const QList<QIcon> frames = ProgramIcons::BusyFrames();
    ASSERT_EQ(frames.size(), kBusyFrameCount);
    for (const int size : {16, 22, 24, 32, 48}) {
        EXPECT_TRUE(program.availableSizes().contains(QSize(size, size))) << size;
        for (const QIcon& frame : frames) {
            EXPECT_TRUE(frame.availableSizes().contains(QSize(size, size))) << size;
        }
    }
    EXPECT_TRUE(program.availableSizes().contains(QSize(256, 256)));
    EXPECT_EQ(frames[2].pixmap(22).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              ProgramIcons::DrawBusyImage(2, 22));
}

} // namespace
