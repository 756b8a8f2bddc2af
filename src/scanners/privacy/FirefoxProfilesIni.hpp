#pragma once
// The profiles that Firefox's "profiles.ini" names, in the file's order.

#include <string>
#include <string_view>
#include <vector>

namespace zentrel::scanners {

struct FirefoxProfileEntry {
    std::string path;         // as written
    bool isRelative = true;   // relative to the folder of "profiles.ini"
};

// The "Path" of every "[Profile…]" section that has one; other sections
// ("[General]", "[Install…]") are not profiles.
[[nodiscard]] std::vector<FirefoxProfileEntry> firefoxProfilesOfIni(std::string_view text);

}  // namespace zentrel::scanners
