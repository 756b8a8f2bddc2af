#pragma once
// One release offered by the update feed.

#include <string>

namespace zentrel::services {

struct AppcastItem {
    std::string title;
    // The build the release carries; compared with the app's build.
    std::string versionString;
    // The version shown to users; the version string when the feed gives none.
    std::string displayVersionString;
    // Where the release can be downloaded; may be empty.
    std::string downloadURL;

    friend bool operator==(const AppcastItem&, const AppcastItem&) = default;
};

}  // namespace zentrel::services
