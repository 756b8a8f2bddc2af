#pragma once
// The window program's command line, read before the toolkit opens the
// display: --help and --version are answered, and a wrong argument refused,
// with or without a display. The toolkit's own -platform, -display and
// -style (each with a value) are let through to it.

#include "app/shell/SingleInstance.hpp"
#include "platform/places/HostTable.hpp"

#include <span>
#include <string>
#include <variant>

namespace zentrel::app {

struct WindowArguments {
    enum class Action { run, help, version };
    Action action = Action::run;
    InstanceRequest request;
    platform::HostPlatform layout = platform::currentHostPlatform();
};

// What is wrong with the arguments, for the message before the usage line.
struct WindowArgumentsProblem {
    std::string text;
};

// `arguments` leaves out the program's name.
[[nodiscard]] std::variant<WindowArguments, WindowArgumentsProblem> parseWindowArguments(
    std::span<const std::string> arguments);

// "usage: zentrel ...", localized; with the options explained for --help.
[[nodiscard]] std::string windowUsage(bool withOptions);

}  // namespace zentrel::app
