#include "app/shell/WindowArguments.hpp"

#include "platform/text/Localization.hpp"

#include <algorithm>
#include <array>
#include <string_view>

namespace zentrel::app {

namespace {

using platform::localized;
using platform::localizedFormat;

constexpr std::array<std::string_view, 3> kToolkitOptions = {"-platform", "-display", "-style"};

}  // namespace

std::variant<WindowArguments, WindowArgumentsProblem> parseWindowArguments(std::span<const std::string> arguments) {
    WindowArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") return WindowArguments{.action = WindowArguments::Action::help};
        if (argument == "--version") return WindowArguments{.action = WindowArguments::Action::version};
        const bool takesValue = argument == "--intent" || argument == "--category" || argument == "--layout" ||
                                std::ranges::find(kToolkitOptions, argument) != kToolkitOptions.end();
        if (!takesValue) return WindowArgumentsProblem{localizedFormat("unknown argument \"%@\"", {argument})};
        if (i + 1 == arguments.size()) return WindowArgumentsProblem{localizedFormat("%@ needs a value", {argument})};
        const std::string& value = arguments[++i];
        if (argument == "--intent" || argument == "--category") {
            if (value.empty()) return WindowArgumentsProblem{localizedFormat("empty value for %@", {argument})};
            auto& slot = argument == "--intent" ? parsed.request.intent : parsed.request.category;
            if (slot) return WindowArgumentsProblem{localizedFormat("%@ is given twice", {argument})};
            slot = value;
        } else if (argument == "--layout") {
            const auto named = platform::hostPlatformNamed(value);
            if (!named) return WindowArgumentsProblem{localized("--layout is linux or macos")};
            parsed.layout = *named;
        }
    }
    if (parsed.request.category && !parsed.request.intent)
        return WindowArgumentsProblem{localized("--category goes with --intent \"Scan Category\"")};
    return parsed;
}

std::string windowUsage(bool withOptions) {
    std::string text = localized("usage: zentrel [--layout linux|macos] [--intent NAME [--category NAME]]");
    text += "\n       zentrel --help | --version\n";
    if (!withOptions) return text;
    text += "\n" + localized("Opens the Zentrel window, or brings the running one forward.") + "\n\n";
    const std::array<std::pair<const char*, const char*>, 5> options{{
        {"--layout linux|macos", N_("which layout of folders holds the user's files; linux is the default")},
        {"--intent NAME", N_("hands an action to the window: \"Smart Cleanup\", \"Free Up Space\" or \"Scan Category\"")},
        {"--category NAME", N_("the category that \"Scan Category\" scans")},
        {"-h, --help", N_("prints this help")},
        {"--version", N_("prints the version")},
    }};
    for (const auto& [option, meaning] : options) text += "  " + std::string(option) + "\n      " + localized(meaning) + "\n";
    return text;
}

}  // namespace zentrel::app
