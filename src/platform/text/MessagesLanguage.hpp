#pragma once
// The language of the messages, from the environment as gettext reads it:
// the first of LANGUAGE's languages that has a catalog, else the locale of
// LC_ALL, LC_MESSAGES or LANG (the first one set). LANGUAGE is ignored while
// that locale is C or POSIX (or unset), so a script that sets LC_ALL=C gets
// English. Header-only: the zentrel-cli launcher loads no library.

#include <cstddef>
#include <string_view>

namespace zentrel::platform {

// "vi_VN.UTF-8" and "vi" are Vietnamese, "en_GB" English; others have no catalog (empty).
constexpr std::string_view catalogLanguageOf(std::string_view locale) {
    for (std::string_view language : {std::string_view("vi"), std::string_view("en")}) {
        if (locale.size() < 2 || locale[0] != language[0] || locale[1] != language[1]) continue;
        if (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@') return language;
    }
    return {};
}

// "C", "POSIX" and "C.UTF-8": the locale a script sets to get the program's own words.
constexpr bool isPlainLocale(std::string_view locale) {
    return locale == "C" || locale == "POSIX" || (locale.size() > 1 && locale[0] == 'C' && locale[1] == '.');
}

// `environment(name)` gives a variable's value, or a null pointer when unset. "vi" or "en".
template <class Environment>
constexpr std::string_view messagesLanguage(Environment&& environment) {
    std::string_view locale = "C";
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = environment(name);
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    if (const char* list = environment("LANGUAGE"); list != nullptr && !isPlainLocale(locale)) {
        std::string_view rest = list;
        while (!rest.empty()) {
            std::size_t end = rest.find(':');
            if (end == std::string_view::npos) end = rest.size();
            if (const auto language = catalogLanguageOf(std::string_view(rest.data(), end)); !language.empty())
                return language;
            rest.remove_prefix(end == rest.size() ? end : end + 1);
        }
    }
    const auto language = catalogLanguageOf(locale);
    return language.empty() ? std::string_view("en") : language;
}

}  // namespace zentrel::platform
