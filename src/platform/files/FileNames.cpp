#include "platform/files/FileNames.hpp"

#include <algorithm>
#include <array>
#include <cctype>

namespace zentrel::platform {

namespace {

// Extensions of the folders that the desktop shows as a single item.
constexpr std::array<std::string_view, 24> kPackageExtensions = {
    "app",       "appex",     "bundle",    "framework", "plugin",      "kext",
    "xpc",       "prefPane",  "qlgenerator", "mdimporter", "photoslibrary", "photolibrary",
    "tvlibrary", "musiclibrary", "theater", "pages",     "key",         "numbers",
    "rtfd",      "xcarchive", "xcodeproj", "xcworkspace", "playground", "dSYM"};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

bool isHiddenName(std::string_view name) { return !name.empty() && name.front() == '.'; }

bool isPackageName(std::string_view name) {
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return false;
    auto extension = name.substr(dot + 1);
    return std::any_of(kPackageExtensions.begin(), kPackageExtensions.end(),
                       [&](std::string_view known) { return equalsIgnoringCase(known, extension); });
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
