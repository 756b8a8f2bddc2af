#include "platform/text/DesktopTexts.hpp"

#include "platform/text/MessagesLanguage.hpp"

#include <cstdlib>
#include <map>
#include <vector>

namespace zentrel::platform {

namespace {

std::optional<std::string> processEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

std::string desktopLanguage(const EnvironmentLookup& environment) {
    std::map<std::string, std::optional<std::string>, std::less<>> read;  // keeps the values the choice points into
    std::vector<std::string_view> languages;
    for (const auto& catalog : builtInCatalogs()) languages.push_back(catalog.language);
    return std::string(messagesLanguage(
        [&](const char* name) -> const char* {
            const auto& value = read.try_emplace(name, environment(name)).first->second;
            return value ? value->c_str() : nullptr;
        },
        languages));
}

void useDesktopTexts(Localization& localization, HostPlatform layout, const EnvironmentLookup& environment) {
    if (layout != HostPlatform::linuxDesktop) return;
    for (const auto& catalog : builtInCatalogs()) localization.addCatalog(catalog);
    localization.setLanguage(desktopLanguage(environment));
}

void useDesktopTexts(Localization& localization, HostPlatform layout) {
    useDesktopTexts(localization, layout, processEnvironment);
}

}  // namespace zentrel::platform
