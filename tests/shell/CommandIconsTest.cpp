#include "shell/CommandIcons.h"
#include "shell/CommandTable.h"

#include <QImage>
#include <QPixmap>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// The commands of the toolbar, which show nothing but their picture.
std::vector<Command> ToolbarCommands()
{
    std::vector<Command> commands;
    for (int i = 0; i < static_cast<int>(Command::Count); ++i) {
        if (RowOf(static_cast<Command>(i)).toolbar.menu == Menu::Toolbar) {
            commands.push_back(static_cast<Command>(i));
        }
    }
    return commands;
}

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y).alpha() > 128 ? 1 : 0;
        }
    }
    return count;
}

// A picture stretched from half its size repeats every pixel in 2 by 2 blocks.
bool IsStretchedFromHalfSize(const QImage& image)
{
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner) {
                return false;
            }
        }
    }
    return true;
}

class ToolbarIcon : public testing::TestWithParam<Command> {};

TEST_P(ToolbarIcon, IsDrawnSharpAtOneAndTwoTimesScale)
{
    const CCommandRow& row = RowOf(GetParam());
    ASSERT_NE(row.icon, nullptr) << row.shortName;
    const QIcon icon = CommandIcons::Drawn(row.icon);
    ASSERT_FALSE(icon.isNull()) << row.icon << " has no drawing of the program's own";

    const QImage single = icon.pixmap(QSize(24, 24), 1.0).toImage();
    EXPECT_EQ(single.size(), QSize(24, 24));
    EXPECT_GT(OpaquePixels(single), 24 * 24 / 8) << row.icon << " is nearly empty";

    const QPixmap doubled = icon.pixmap(QSize(24, 24), 2.0);
    EXPECT_EQ(doubled.deviceIndependentSize(), QSizeF(24, 24));
    EXPECT_EQ(doubled.size(), QSize(48, 48)) << "a 2x screen gets every device pixel";
    EXPECT_FALSE(IsStretchedFromHalfSize(doubled.toImage()))
        << row.icon << " is drawn afresh at 2x, not stretched";

    const QImage disabled = icon.pixmap(QSize(24, 24), 1.0, QIcon::Disabled).toImage();
    EXPECT_NE(disabled, single) << "a disabled command looks greyed";
}

INSTANTIATE_TEST_SUITE_P(CommandIcons, ToolbarIcon, testing::ValuesIn(ToolbarCommands()),
                         [](const auto& info) {
                             QString name = QString::fromLatin1(RowOf(info.param).shortName);
                             return name.remove(QLatin1Char(' ')).toStdString();
                         });

TEST(CommandIcons, EveryToolbarCommandHasAPictureOfItsOwn)
{
    QSet<QByteArray> pictures;
    for (const Command command : ToolbarCommands()) {
        const QImage image =
            CommandIcons::Named(RowOf(command).icon).pixmap(QSize(24, 24), 1.0).toImage();
        ASSERT_FALSE(image.isNull()) << RowOf(command).shortName;
        const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()),
                               image.sizeInBytes());
        EXPECT_FALSE(pictures.contains(bytes))
            << RowOf(command).shortName << " looks like another toolbar command";
        pictures.insert(bytes);
    }
}

TEST(CommandIcons, ProgramsOwnNamesNeverFallThroughToNothing)
{
    for (int i = 0; i < static_cast<int>(Command::Count); ++i) {
        const char* name = RowOf(static_cast<Command>(i)).icon;
        if (name && QByteArrayView(name).startsWith("quillon-")) {
            EXPECT_FALSE(CommandIcons::Named(name).isNull()) << name;
        }
    }
    EXPECT_TRUE(CommandIcons::Named("quillon-no-such-picture").isNull());
    EXPECT_TRUE(CommandIcons::Named(nullptr).isNull());
}

} // namespace
