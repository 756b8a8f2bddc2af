#include "scanners/privacy/FirefoxProfilesIni.hpp"

namespace zentrel::scanners {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

}  // namespace

std::vector<FirefoxProfileEntry> firefoxProfilesOfIni(std::string_view text) {
    std::vector<FirefoxProfileEntry> profiles;
    FirefoxProfileEntry current;
    bool inProfile = false;
    auto finish = [&] {
        if (inProfile && !current.path.empty()) profiles.push_back(std::move(current));
        current = FirefoxProfileEntry{};
        inProfile = false;
    };
    while (!text.empty()) {
        const auto end = text.find('\n');
        const auto line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.starts_with('[')) {
            finish();
            inProfile = line.starts_with("[Profile");
        } else if (inProfile && line.starts_with("Path=")) {
            current.path = std::string(trimmed(line.substr(5)));
        } else if (inProfile && line.starts_with("IsRelative=")) {
            current.isRelative = trimmed(line.substr(11)) != "0";
        }
    }
    finish();
    return profiles;
}

}  // namespace zentrel::scanners
