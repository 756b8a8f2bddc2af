#pragma once
// The language of the messages, from the environment as gettext reads it:
// the first of LANGUAGE's languages that has a catalog, else the locale of
// LC_ALL, LC_MESSAGES or LANG (the first one set). LANGUAGE is ignored while
// that locale is C or POSIX (or unset), so a script that sets LC_ALL=C gets
// English. Header-only: the zentrel-cli launcher loads no library.

#include <cstddef>
#include <span>
#include <string_view>

namespace zentrel::platform {

// The catalog among `languages` that a locale names: "vi_VN.UTF-8" and "vi"
// are "vi", "en_GB" is "en"; a catalog "pt_BR" is taken before "pt". Empty
// for a language without a catalog.
constexpr std::string_view catalogLanguageOf(std::string_view locale, std::span<const std::string_view> languages) {
    std::string_view best;
    for (const std::string_view language : languages) {
        if (!locale.starts_with(language) || language.size() <= best.size()) continue;
        const auto rest = locale.substr(language.size());
        if (rest.empty() || rest[0] == '_' || rest[0] == '.' || rest[0] == '@') best = language;
    }
    return best;
}

// "C", "POSIX" and "C.UTF-8": the locale a script sets to get the program's own words.
constexpr bool isPlainLocale(std::string_view locale) {
    return locale == "C" || locale == "POSIX" || (locale.size() > 1 && locale[0] == 'C' && locale[1] == '.');
}

// `environment(name)` gives a variable's value, or a null pointer when unset;
// `languages` are those with a catalog. "en" when none of them fits.
template <class Environment>
constexpr std::string_view messagesLanguage(Environment&& environment, std::span<const std::string_view> languages) {
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
            if (const auto language = catalogLanguageOf(std::string_view(rest.data(), end), languages);
                !language.empty())
                return language;
            rest.remove_prefix(end == rest.size() ? end : end + 1);
        }
    }
    const auto language = catalogLanguageOf(locale, languages);
    return language.empty() ? std::string_view("en") : language;
}

}  // namespace zentrel::platform
