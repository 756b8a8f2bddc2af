#include "platform/HostLayout.hpp"

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
    HostLayout layout = forHome(realHome());
    if (auto p = environmentPath("XDG_CONFIG_HOME"); !p.empty()) layout.configHome = p;
    if (auto p = environmentPath("XDG_DATA_HOME"); !p.empty()) layout.dataHome = p;
    if (auto p = environmentPath("XDG_CACHE_HOME"); !p.empty()) layout.cacheHome = p;
    if (auto p = environmentPath("XDG_STATE_HOME"); !p.empty()) layout.stateHome = p;
    return layout;
}

std::filesystem::path HostLayout::defaultsFile(std::string_view suite) const {
    return configHome / "zentrel" / (std::string(suite) + ".json");
}

std::filesystem::path HostLayout::systemPath(const std::filesystem::path& relative) const {
    if (systemRoot.empty()) return {};
    return systemRoot / relative.relative_path();
}

}  // namespace zentrel::platform
