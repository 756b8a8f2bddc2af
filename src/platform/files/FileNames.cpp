#include "platform/files/FileNames.hpp"

#include "platform/text/AsciiCase.hpp"

#include <algorithm>
#include <array>

namespace zentrel::platform {

namespace {

// Extensions of the folders that the desktop shows as a single item.
constexpr std::array<std::string_view, 24> kPackageExtensions = {
    "app",       "appex",     "bundle",    "framework", "plugin",      "kext",
    "xpc",       "prefPane",  "qlgenerator", "mdimporter", "photoslibrary", "photolibrary",
    "tvlibrary", "musiclibrary", "theater", "pages",     "key",         "numbers",
    "rtfd",      "xcarchive", "xcodeproj", "xcworkspace", "playground", "dSYM"};


}  // namespace

bool isHiddenName(std::string_view name) { return !name.empty() && name.front() == '.'; }

bool isPackageName(std::string_view name) {
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return false;
    auto extension = name.substr(dot + 1);
    return std::any_of(kPackageExtensions.begin(), kPackageExtensions.end(),
                       [&](std::string_view known) { return equalsIgnoringAsciiCase(known, extension); });
}

std::string_view lastPathComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    auto slash = path.rfind('/');
    if (slash == std::string_view::npos || path.size() == 1) return path;
    return path.substr(slash + 1);
}

std::string appendingPathComponent(std::string_view folder, std::string_view name) {
    std::string result(folder);
    if (result.empty() || result.back() != '/') result.push_back('/');
    result.append(name);
    return result;
}

}  // namespace zentrel::platform
