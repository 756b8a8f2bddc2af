#include "platform/places/HostLayout.hpp"

#include "platform/text/Warnings.hpp"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace zentrel::platform {

namespace {

std::filesystem::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return {};
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path();
}

std::filesystem::path realHome() {
    if (auto home = environmentPath("HOME"); !home.empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/";
}

}  // namespace

HostLayout HostLayout::forHome(const std::filesystem::path& home, const std::filesystem::path& systemRoot) {
    return HostLayout{home, systemRoot, home / ".config", home / ".local/share", home / ".cache", home / ".local/state"};
}

HostLayout HostLayout::fromEnvironment() {
    return withXdgVariables(realHome(), [](std::string_view name) -> std::optional<std::string> {
        const char* value = std::getenv(std::string(name).c_str());
        if (value == nullptr || *value == '\0') return std::nullopt;
        return std::string(value);
    });
}

HostLayout HostLayout::withXdgVariables(const std::filesystem::path& home,
                                        const std::function<std::optional<std::string>(std::string_view)>& variable) {
    HostLayout layout = forHome(home);
    const std::pair<std::string_view, std::filesystem::path*> folders[] = {{"XDG_CONFIG_HOME", &layout.configHome},
                                                                           {"XDG_DATA_HOME", &layout.dataHome},
                                                                           {"XDG_CACHE_HOME", &layout.cacheHome},
                                                                           {"XDG_STATE_HOME", &layout.stateHome}};
    for (const auto& [name, folder] : folders) {
        auto value = variable(name);
        if (!value || value->empty()) continue;
        while (value->size() > 1 && value->back() == '/') value->pop_back();
        if (auto problem = xdgLocationProblem(*value, home, false)) {
            warn(std::string(name) + "=\"" + *value + "\" is ignored (" + *problem + "); using " + folder->string());
            continue;
        }
        *folder = *value;
    }
    return layout;
}

std::optional<std::string> xdgLocationProblem(std::string_view value, const std::filesystem::path& home,
                                              bool insideHome) {
    const std::filesystem::path path{std::string(value)};
    if (!path.is_absolute()) return "not an absolute path";
    if (value != "/" && (path.lexically_normal() != path || value.find("//") != std::string_view::npos ||
                         value.ends_with('/')))
        return "not a normalised path";
    const std::string text(value);
    const std::string homeText = home.lexically_normal().string();
    if (text == "/") return "the root folder";
    if (text == homeText) return "the home folder";
    if (homeText.starts_with(text + "/")) return "a folder above the home folder";
    if (insideHome && !text.starts_with(homeText + "/")) return "outside the home folder";
    return std::nullopt;
}

std::filesystem::path HostLayout::defaultsFile(std::string_view suite) const {
    return ownConfigFolder() / (std::string(suite) + ".json");
}

std::filesystem::path HostLayout::systemPath(const std::filesystem::path& relative) const {
    if (systemRoot.empty()) return {};
    return systemRoot / relative.relative_path();
}

}  // namespace zentrel::platform
