#pragma once
// What the About dialog shows: the program's icon, name and version, what it
// does in one line, its licence and the libraries it is built on.

#include <string>
#include <vector>

namespace zentrel::ui {

struct AboutLibrary {
    std::string name;
    std::string version;  // empty where the program cannot tell

    bool operator==(const AboutLibrary&) const = default;
};

struct AboutContent {
    std::string icon;  // the icon's theme name
    std::string name;
    std::string versionText;
    std::string description;
    std::string licence;
    std::string librariesTitle;
    std::vector<AboutLibrary> libraries;
};

// `libraryVersions` gives the versions the program knows at run time, by
// library name ("Qt", "SQLite"); the others show none.
[[nodiscard]] AboutContent aboutContent(const std::string& version,
                                        const std::vector<AboutLibrary>& libraryVersions = {});

}  // namespace zentrel::ui
