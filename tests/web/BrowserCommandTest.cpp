#include "web/BrowserCommand.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

const QString kTarget = QStringLiteral("/tmp/My Reports/week.htm");

// The expected program and arguments, separated by "|"; "<target>" stands for the target.
QStringList Expected(const char* arguments)
{
    QStringList expected;
    for (const QString& argument :
         QString::fromUtf8(arguments).split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        expected.append(argument == QLatin1String("<target>") ? kTarget : argument);
    }
    return expected;
}

struct CommandCase {
    const char* behaviour;
    const char* execLine;
    const char* expected;
};

void PrintTo(const CommandCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

class BrowserCommandCut : public testing::TestWithParam<CommandCase> {};

TEST_P(BrowserCommandCut, GivesTheProgramItsArgumentsAndTheTarget)
{
    const CommandCase& c = GetParam();
    EXPECT_EQ(BrowserCommand::ForTarget(QString::fromUtf8(c.execLine), kTarget),
              Expected(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrowserCommandCut,
    testing::Values(CommandCase{"bare url placeholder", "firefox-esr %u", "firefox-esr|<target>"},
                    CommandCase{"options after the quoted placeholder are dropped",
                                "/usr/bin/browser --new-window \"%U\" --private-window --kiosk",
                                "/usr/bin/browser|--new-window|<target>"},
                    CommandCase{"single quoted file placeholder", "viewer --open '%f' --later",
                                "viewer|--open|<target>"},
                    CommandCase{"first of several placeholders wins", "app %F --extra %u",
                                "app|<target>"},
                    CommandCase{"quoted placeholder wins over an earlier bare one",
                                "app %u --x \"%U\" --y", "app|%u|--x|<target>"},
                    CommandCase{"line without a placeholder is kept whole", "browser --flag",
                                "browser|--flag|<target>"},
                    CommandCase{"quoted program path with a space", "\"/opt/My Browser/run\" %u",
                                "/opt/My Browser/run|<target>"},
                    CommandCase{"empty line names no program", "", ""},
                    CommandCase{"line of only the placeholder names no program", "%u", ""}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(BrowserCommand, TargetWithSpacesStaysOneArgument)
{
    const QStringList command = BrowserCommand::ForTarget(QStringLiteral("browser %u"), kTarget);
    ASSERT_EQ(command.size(), 2);
    EXPECT_EQ(command.last(), kTarget);
}

struct EntryCase {
    const char* behaviour;
    const char* entry;
    const char* expected;
};

void PrintTo(const EntryCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

class DesktopEntryExec : public testing::TestWithParam<EntryCase> {};

TEST_P(DesktopEntryExec, ReadsTheMainGroupsExecLine)
{
    const EntryCase& c = GetParam();
    EXPECT_EQ(BrowserCommand::ExecLine(c.entry), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesktopEntryExec,
    testing::Values(
        EntryCase{"plain entry",
                  "[Desktop Entry]\nName=Web\nExec=firefox-esr %u\nType=Application\n",
                  "firefox-esr %u"},
        EntryCase{"action group before the main group is skipped",
                  "[Desktop Action new-window]\nExec=web --new-window %u\n"
                  "[Desktop Entry]\nExec=web %u\n",
                  "web %u"},
        EntryCase{"action group after the main group is skipped",
                  "[Desktop Entry]\nExec=web %u\n[Desktop Action private]\nExec=web --private %u\n",
                  "web %u"},
        EntryCase{"try exec and localised keys are not the exec line",
                  "[Desktop Entry]\nTryExec=web\nExec[de]=netz %u\nExec=web %U\n", "web %U"},
        EntryCase{"spaces around the equals sign and carriage returns",
                  "[Desktop Entry]\r\nExec = web --x %u\r\n", "web --x %u"},
        EntryCase{"entry without an exec line", "[Desktop Entry]\nName=Web\n", ""},
        EntryCase{"exec line outside any group", "Exec=web %u\n", ""}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
