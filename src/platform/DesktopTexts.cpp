#include "platform/DesktopTexts.hpp"

#include <cstdlib>
#include <string_view>

namespace zentrel::platform {

namespace {

// "vi_VN.UTF-8" and "vi" are Vietnamese, "en_GB" English; others have no catalog.
std::optional<std::string> catalogLanguage(std::string_view locale) {
    for (std::string_view language : {"vi", "en"}) {
        if (locale.starts_with(language) && (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@'))
            return std::string(language);
    }
    return std::nullopt;
}

// "C", "POSIX" and "C.UTF-8": the locale a script sets to get the program's own words.
bool isPlainLocale(std::string_view locale) {
    return locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

std::optional<std::string> processEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

std::string desktopLanguage(const EnvironmentLookup& environment) {
    // The messages' locale, as setlocale() takes it; unset is the C locale.
    std::string locale = "C";
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (auto value = environment(name); value && !value->empty()) {
            locale = std::move(*value);
            break;
        }
    }
    // As gettext does, LANGUAGE counts only outside the C locale.
    if (auto list = environment("LANGUAGE"); list && !isPlainLocale(locale)) {
        std::string_view rest = *list;
        while (!rest.empty()) {
            const auto end = rest.find(':');
            if (auto language = catalogLanguage(rest.substr(0, end))) return *language;
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        }
    }
    return catalogLanguage(locale).value_or("en");
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
