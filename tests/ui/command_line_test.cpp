// The program's options, Qt's own among them, before any window exists.

#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Outcome = app::CommandLine::Outcome;

struct Case {
    std::vector<const char*> arguments;  // after the program name
    Outcome outcome;
    bool currentRules;
    const char* error;

    friend void PrintTo(const Case& c, std::ostream* os) {
        for (const char* argument : c.arguments) *os << argument << ' ';
    }
};

// clang-format off
const Case kCases[] = {
    {{}, Outcome::Start, false, ""},
    {{"--current"}, Outcome::Start, true, ""},
    {{"--current", "--current"}, Outcome::Start, true, ""},
    {{"--help"}, Outcome::Help, false, ""},
    {{"-h"}, Outcome::Help, false, ""},
    {{"--current", "--help"}, Outcome::Help, false, ""},
    {{"--help", "--bogus"}, Outcome::Help, false, ""},
    {{"--bogus", "--help"}, Outcome::Error, false, "unknown option '--bogus'"},
    {{"--bogus"}, Outcome::Error, false, "unknown option '--bogus'"},
    {{"-current"}, Outcome::Error, false, "unknown option '-current'"},
    {{"--current=yes"}, Outcome::Error, false, "unknown option '--current=yes'"},
    {{"--Current"}, Outcome::Error, false, "unknown option '--Current'"},
    {{"-x"}, Outcome::Error, false, "unknown option '-x'"},
    {{"report.csv"}, Outcome::Error, false, "unexpected argument 'report.csv'"},
    {{"-"}, Outcome::Error, false, "unexpected argument '-'"},
    {{"--"}, Outcome::Error, false, "unexpected argument '--'"},
    // Qt's options, with one dash or two, their values as the next argument or after "=".
    {{"-platform", "offscreen", "--current"}, Outcome::Start, true, ""},
    {{"--platform", "xcb"}, Outcome::Start, false, ""},
    {{"-style", "Fusion", "-reverse"}, Outcome::Start, false, ""},
    {{"-style=Fusion", "--stylesheet=a.qss", "--current"}, Outcome::Start, true, ""},
    {{"-qmljsdebugger=port:1234"}, Outcome::Start, false, ""},
    {{"-display", ":1", "-name", "calc", "-geometry", "600x400"}, Outcome::Start, false, ""},
    {{"-qwindowtitle", "T", "-qwindowicon", "i.png", "-qwindowgeometry", "1x1"}, Outcome::Start,
     false, ""},
    {{"-platformtheme", "gtk3", "-platformpluginpath", "/p", "-plugin", "evdevtablet"},
     Outcome::Start, false, ""},
    {{"-session", "s1", "-widgetcount", "-nograb", "-dograb", "-testability", "-visual", "33"},
     Outcome::Start, false, ""},
    {{"-qwindowtitle", "--current"}, Outcome::Start, false, ""},  // the title is "--current"
    {{"-platform"}, Outcome::Error, false, "option '-platform' needs a value"},
    {{"--current", "--style"}, Outcome::Error, false, "option '--style' needs a value"},
    {{"-platform=xcb"}, Outcome::Error, false, "unknown option '-platform=xcb'"},
    {{"-reverse=1"}, Outcome::Error, false, "unknown option '-reverse=1'"},
    {{"-platforms", "x"}, Outcome::Error, false, "unknown option '-platforms'"},
};
// clang-format on

class CommandLine : public testing::TestWithParam<Case> {};

TEST_P(CommandLine, Parses) {
    const Case& c = GetParam();
    std::vector<const char*> argv = {"tovarin-calculator"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const app::CommandLine parsed =
        app::ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(parsed.outcome, c.outcome);
    EXPECT_EQ(parsed.currentRules, c.currentRules);
    EXPECT_EQ(parsed.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLine, testing::ValuesIn(kCases));

TEST(CommandLineUsage, NamesTheProgramAndEveryOption) {
    const std::string usage = app::Usage("calc");
    EXPECT_EQ(usage.rfind("Usage: calc [--current] [Qt options]\n", 0), 0u) << usage;
    for (const char* option : {"--current", "-h, --help", "-platform"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

}  // namespace
