#include "doubles/TranslationCoverage.hpp"

#include "platform/text/BuiltInCatalogs.hpp"
#include "platform/text/DesktopTexts.hpp"

#include <gettext-po.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <stdexcept>

namespace zentrel::testing {

namespace {

void failOnError(int severity, po_message_t, const char* file, size_t line, size_t, int, const char* text) {
    if (severity != PO_SEVERITY_WARNING)
        throw std::runtime_error(std::string(file ? file : "?") + ":" + std::to_string(line) + ": " + text);
}
void failOnError2(int severity, po_message_t, const char* file, size_t line, size_t, int, const char* text,
                  po_message_t, const char*, size_t, size_t, int, const char*) {
    failOnError(severity, nullptr, file, line, 0, 0, text);
}

std::set<std::string> messageIds(const char* path) {
    const po_xerror_handler handler{failOnError, failOnError2};
    po_file_t file = po_file_read(path, &handler);
    if (file == nullptr) throw std::runtime_error(std::string("cannot read ") + path);
    std::set<std::string> ids;
    po_message_iterator_t messages = po_message_iterator(file, nullptr);
    while (po_message_t message = po_next_message(messages)) {
        if (*po_message_msgid(message) != '\0') ids.emplace(po_message_msgid(message));
    }
    po_message_iterator_free(messages);
    po_file_free(file);
    return ids;
}

// Both languages of the Linux layout, in a lookup of their own.
platform::Localization& desktopCatalogs() {
    static auto* catalogs = [] {
        auto* made = new platform::Localization;
        platform::useDesktopTexts(*made, platform::HostPlatform::linuxDesktop, [](const char*) { return std::nullopt; });
        return made;
    }();
    return *catalogs;
}

// A catalog text as a pattern of the texts it shows: its slots match anything.
std::regex shownTextPattern(std::string_view text) {
    static const std::regex slot(R"(%(%|(\d+\$)?(@|lld|ld|d|(\.\d+)?f)))");
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    std::string pattern;
    const std::string subject(text);
    std::size_t from = 0;
    for (std::sregex_iterator at(subject.begin(), subject.end(), slot), end; at != end; ++at) {
        pattern += std::regex_replace(subject.substr(from, at->position() - from), special, "\\$&");
        pattern += at->str() == "%%" ? "%" : "[\\s\\S]*";
        from = at->position() + at->length();
    }
    pattern += std::regex_replace(subject.substr(from), special, "\\$&");
    return std::regex(pattern);
}

// Every text of a language's catalog on the Linux layout, as patterns.
const std::vector<std::regex>& shownTextPatterns(std::string_view language) {
    static std::map<std::string, std::vector<std::regex>, std::less<>> made;
    auto found = made.find(language);
    if (found != made.end()) return found->second;
    std::vector<std::regex> patterns;
    for (const auto& catalog : platform::builtInCatalogs()) {
        if (catalog.language != language) continue;
        for (const auto& message : catalog.messages) {
            for (const auto form : message.forms) {
                if (!form.empty()) patterns.push_back(shownTextPattern(form));
            }
        }
    }
    return made.emplace(std::string(language), std::move(patterns)).first->second;
}

}  // namespace

const std::set<std::string>& sourceTexts() {
    static const auto texts = messageIds(ZENTREL_SOURCE_TEXTS_POT);
    return texts;
}

const std::set<std::string>& literalKeys() {
    static const auto keys = messageIds(ZENTREL_LITERAL_KEYS_POT);
    return keys;
}

std::vector<std::string> otherSystemWords(std::string_view text) {
    static const std::regex words(
        "\\bMac\\b|macOS|Finder|Xcode|iCloud|Spotlight|Launch Agent|LAUNCH AGENT|Application Support|\u2318|CGEvent|"
        "IMKit|Quick Look");
    std::vector<std::string> found;
    const std::string subject(text);
    for (std::sregex_iterator at(subject.begin(), subject.end(), words), end; at != end; ++at) found.push_back(at->str());
    return found;
}

std::vector<std::string> translationProblems(const std::set<std::string, std::less<>>& keys) {
    std::vector<std::string> problems;
    auto& shown = desktopCatalogs();
    for (const auto& key : keys) {
        for (const char* language : {"en", "vi"}) {
            if (!shown.hasEntry(language, key)) {
                problems.push_back(std::string("no ") + language + " entry: \"" + key + "\"");
                continue;
            }
            shown.setLanguage(language);
            for (const unsigned long long count : {1ULL, 2ULL}) {
                const auto text = shown.lookup(key, count);
                for (const auto& word : otherSystemWords(text))
                    problems.push_back(std::string(language) + " text names " + word + ": \"" + text + "\"");
            }
        }
    }
    return problems;
}

std::vector<std::string> textsNotIn(std::string_view language, const std::vector<std::string>& shown) {
    const auto& patterns = shownTextPatterns(language);
    std::vector<std::string> strangers;
    for (const auto& text : shown) {
        if (std::none_of(patterns.begin(), patterns.end(),
                         [&text](const std::regex& pattern) { return std::regex_match(text, pattern); }))
            strangers.push_back(text);
    }
    return strangers;
}

void checkLookedUpKeysAtExit() {
    class Check final : public ::testing::Environment {
        void TearDown() override {
            std::set<std::string, std::less<>> shownKeys;
            for (const auto& key : platform::Localization::shared().lookedUpKeys()) {
                // A letter or two is a test's own name more often than a text.
                if (key.size() > 2 && sourceTexts().contains(key)) shownKeys.insert(key);
            }
            for (const auto& problem : translationProblems(shownKeys)) ADD_FAILURE() << problem;
        }
    };
    ::testing::AddGlobalTestEnvironment(new Check);
}

}  // namespace zentrel::testing
