#include "app/command_line.hpp"

#include <cstdio>

namespace app {
namespace {

struct QtOption {
    std::string_view name;  // without its leading dash
    bool takesValue;        // as the next argument
    bool takesJoinedValue;  // as "-name=value"
};

// The options that Qt's application, its X11 plugin and its QML debugger take out of argv,
// with one dash or two.
// clang-format off
constexpr QtOption kQtOptions[] = {
    {"platform", true, false},      {"platformpluginpath", true, false},
    {"platformtheme", true, false}, {"plugin", true, false},
    {"qwindowgeometry", true, false}, {"geometry", true, false},
    {"qwindowtitle", true, false},  {"title", true, false},
    {"qwindowicon", true, false},   {"icon", true, false},
    {"session", true, false},       {"style", true, true},
    {"stylesheet", true, true},     {"qmljsdebugger", true, true},
    {"display", true, false},       {"name", true, false},
    {"visual", true, false},        {"reverse", false, false},
    {"widgetcount", false, false},  {"testability", false, false},
    {"nograb", false, false},       {"dograb", false, false},
};
// clang-format on

const QtOption* FindQtOption(std::string_view name) {
    for (const QtOption& option : kQtOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

CommandLine Failure(std::string error) {
    return {CommandLine::Outcome::Error, false, std::move(error)};
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const argv[]) {
    CommandLine result;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--current") {
            result.currentRules = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            return {CommandLine::Outcome::Help, false, {}};
        }
        if (!argument.starts_with('-') || argument == "-" || argument == "--") {
            return Failure("unexpected argument '" + std::string(argument) + "'");
        }
        std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool joined = equals != std::string_view::npos;
        const QtOption* option = FindQtOption(name.substr(0, equals));
        if (!option || (joined && !option->takesJoinedValue)) {
            return Failure("unknown option '" + std::string(argument) + "'");
        }
        if (option->takesValue && !joined) {
            if (i + 1 == argc) {
                return Failure("option '" + std::string(argument) + "' needs a value");
            }
            ++i;
        }
    }
    return result;
}

std::string Usage(std::string_view program) {
    return "Usage: " + std::string(program) +
           " [--current] [Qt options]\n"
           "A calculator of Chinese individual income tax.\n"
           "\n"
           "  --current   open the window of the rules in force today (monthly withholding\n"
           "              of wages, the annual bonus, the annual settlement and the other\n"
           "              kinds of income) instead of the old-rules window\n"
           "  -h, --help  print this help and exit\n"
           "\n"
           "Qt's own options, such as -platform NAME or -style NAME, are accepted too.\n";
}

int Report(const CommandLine& commandLine, std::string_view program) {
    const std::string usage = Usage(program);
    if (commandLine.outcome == CommandLine::Outcome::Help) {
        std::fputs(usage.c_str(), stdout);
        return 0;
    }
    std::fprintf(stderr, "%.*s: %s\n%s", static_cast<int>(program.size()), program.data(),
                 commandLine.error.c_str(), usage.c_str());
    return 2;
}

}  // namespace app
