#include "ui/presenters/AboutPresenter.hpp"

#include "platform/text/Localization.hpp"

#include <algorithm>

namespace zentrel::ui {
namespace {

// The libraries the programs link, as the set-up installs them.
constexpr const char* kLibraries[] = {
    "Qt",      "SQLite",  "OpenSSL", "ICU",   "GLib",    "D-Bus",    "IBus",          "AT-SPI", "Xlib",    "libpng",
    "libjpeg", "libwebp", "libtiff", "giflib", "libheif", "FFmpeg", "Expat", "libcurl", "libplist", "nlohmann/json",
};

}  // namespace

AboutContent aboutContent(const std::string& version, const std::vector<AboutLibrary>& libraryVersions) {
    AboutContent content;
    content.icon = "zentrel";
    content.name = N_("Zentrel");
    content.versionText = platform::localizedFormat("Version %@", {version});
    content.description =
        platform::localized("Free up disk space, find duplicates, sweep privacy traces and type Vietnamese");
    content.licence = platform::localized("Proprietary software of Torvane. \u00A9 2026 Torvane. All rights reserved.");
    content.librariesTitle = platform::localized("Built with");
    for (const char* name : kLibraries) {
        const auto known = std::ranges::find(libraryVersions, std::string(name), &AboutLibrary::name);
        content.libraries.push_back({name, known == libraryVersions.end() ? std::string() : known->version});
    }
    return content;
}

}  // namespace zentrel::ui
