#include "services/apps/DesktopEntry.hpp"

#include "platform/text/AsciiCase.hpp"

#include <algorithm>
#include <array>
#include <map>

namespace zentrel::services {

namespace {

// Programs that start other programs: their name says nothing about which
// application runs.
constexpr std::array<std::string_view, 16> kLaunchers = {
    "env", "sh", "bash", "dash", "zsh", "flatpak", "snap", "python", "python3", "perl",
    "java", "sudo", "pkexec", "gtk-launch", "xdg-open", "gio"};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string_view basename(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The escapes of a desktop file's string values: \s \n \t \r \\.
std::string unescaped(std::string_view value) {
    std::string result;
    result.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            result += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's': result += ' '; break;
        case 'n': result += '\n'; break;
        case 't': result += '\t'; break;
        case 'r': result += '\r'; break;
        case '\\': result += '\\'; break;
        default: result += '\\'; result += value[i]; break;
        }
    }
    return result;
}

// The arguments of an Exec value: blanks separate them, double quotes group
// them, and inside quotes a backslash escapes " ` $ and \.
std::vector<std::string> execArguments(std::string_view exec) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool inQuotes = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (inQuotes) {
            if (c == '\\' && i + 1 < exec.size() && std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
                current += exec[++i];
            } else if (c == '"') {
                inQuotes = false;
            } else {
                current += c;
            }
        } else if (c == ' ' || c == '\t') {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            if (c == '"') inQuotes = true;
            else current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(std::move(current));
    return arguments;
}

// The program an Exec value runs as written, past "env" and its variable settings.
std::string_view execProgramPath(const std::vector<std::string>& arguments) {
    for (const auto& argument : arguments) {
        if (argument == "env" || argument.find('=') != std::string::npos) continue;
        return argument;
    }
    return {};
}

std::string_view execProgram(const std::vector<std::string>& arguments) { return basename(execProgramPath(arguments)); }

bool isTrue(const std::map<std::string, std::string, std::less<>>& keys, std::string_view key) {
    auto found = keys.find(key);
    return found != keys.end() && (found->second == "true" || found->second == "1");
}

}  // namespace

std::optional<DesktopEntry> DesktopEntry::parse(std::string_view text, std::string id, std::string_view language) {
    return parseEntry(text, std::move(id), language, true);
}

std::optional<DesktopEntry> DesktopEntry::parseRunnable(std::string_view text, std::string id, std::string_view language) {
    return parseEntry(text, std::move(id), language, false);
}

std::optional<DesktopEntry> DesktopEntry::parseEntry(std::string_view text, std::string id, std::string_view language,
                                                     bool shownOnly) {
    std::map<std::string, std::string, std::less<>> keys;
    bool inGroup = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            if (inGroup) break;
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) continue;
        keys.try_emplace(std::string(trimmed(line.substr(0, equals))), unescaped(trimmed(line.substr(equals + 1))));
    }

    auto value = [&](std::string_view key) -> std::string {
        auto found = keys.find(key);
        return found == keys.end() ? std::string() : found->second;
    };
    if (value("Type") != "Application") return std::nullopt;
    if (isTrue(keys, "Hidden")) return std::nullopt;
    if (shownOnly && (isTrue(keys, "NoDisplay") || isTrue(keys, "Terminal"))) return std::nullopt;

    DesktopEntry entry;
    entry.untranslatedName = value("Name");
    entry.name = value("Name[" + std::string(language) + "]");
    if (entry.name.empty()) entry.name = entry.untranslatedName;
    if (entry.name.empty() && !shownOnly) entry.name = id;
    if (entry.name.empty()) return std::nullopt;
    if (auto icon = value("Icon"); !icon.empty()) entry.icon = icon;

    const auto exec = execArguments(value("Exec"));
    if (const auto program = execProgram(exec);
        std::find(kLaunchers.begin(), kLaunchers.end(), platform::asciiLowercased(program)) == kLaunchers.end())
        entry.executable = std::string(program);
    const std::string tryExec = value("TryExec");
    entry.execPath = std::string(execProgramPath(exec));
    entry.tryExec = tryExec;
    entry.workingFolder = value("Path");
    const std::string windowClass = value("StartupWMClass");
    const auto dot = id.rfind('.');
    const std::string_view lastIdComponent = std::string_view(id).substr(dot == std::string::npos ? 0 : dot + 1);
    for (std::string_view candidate : {execProgram(exec), basename(tryExec), std::string_view(windowClass), lastIdComponent}) {
        std::string name = platform::asciiLowercased(candidate);
        if (name.empty() || std::find(kLaunchers.begin(), kLaunchers.end(), name) != kLaunchers.end()) continue;
        if (std::find(entry.programNames.begin(), entry.programNames.end(), name) == entry.programNames.end())
            entry.programNames.push_back(std::move(name));
    }
    entry.id = std::move(id);
    return entry;
}

}  // namespace zentrel::services
