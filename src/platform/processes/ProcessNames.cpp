#include "platform/processes/ProcessNames.hpp"

#include <array>
#include <fstream>
#include <string_view>
#include <vector>

namespace zentrel::platform {
namespace {

// Programs that run a script: the script names the program, as its toolkit
// tells the input-method framework.
constexpr std::array<std::string_view, 11> kInterpreterPrefixes = {"python", "perl", "ruby", "node", "gjs", "lua",
                                                                   "php",    "bash", "sh",   "dash", "zsh"};

bool isInterpreter(std::string_view name) {
    for (const auto prefix : kInterpreterPrefixes) {
        if (!name.starts_with(prefix)) continue;
        const auto rest = name.substr(prefix.size());
        // "python3", "python3.11", "perl5.36"; not "shotwell" or "phpstorm".
        if (rest.find_first_not_of("0123456789.") == std::string_view::npos) return true;
    }
    return false;
}

std::string fileName(const std::string& argument) { return std::filesystem::path(argument).filename().string(); }

// The script an interpreter runs: its first argument that is no option, or
// the module of "-m"; none for code given inline.
std::optional<std::string> scriptOf(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const auto& argument = arguments[i];
        if (argument == "-c" || argument == "-e") return std::nullopt;
        if (argument == "-m") return i + 1 < arguments.size() ? std::optional(arguments[i + 1]) : std::nullopt;
        if (argument.empty() || argument.front() == '-') continue;
        const auto name = fileName(argument);
        return name.empty() ? std::nullopt : std::optional(name);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> programNameOfProcess(std::int64_t pid, const std::filesystem::path& procRoot) {
    if (pid <= 0) return std::nullopt;
    std::ifstream file(procRoot / std::to_string(pid) / "cmdline", std::ios::binary);
    std::vector<std::string> arguments;
    for (std::string argument; file && std::getline(file, argument, '\0');) arguments.push_back(argument);
    if (arguments.empty() || arguments.front().empty()) return std::nullopt;
    const auto name = fileName(arguments.front());
    if (name.empty()) return std::nullopt;
    if (isInterpreter(name)) {
        if (auto script = scriptOf(arguments)) return script;
    }
    return name;
}

}  // namespace zentrel::platform
