#include "platform/Localization.hpp"

#include <cctype>
#include <optional>
#include <utility>

namespace zentrel::platform {

Localization& Localization::shared() {
    static Localization instance;
    return instance;
}

void Localization::addTranslations(std::string_view language, const std::map<std::string, std::string>& table) {
    std::lock_guard lock(mutex_);
    auto& target = tables_[std::string(language)];
    for (const auto& [key, text] : table) target.insert_or_assign(key, text);
}

void Localization::setLanguage(std::string_view language) {
    std::lock_guard lock(mutex_);
    language_ = std::string(language);
}

std::string Localization::language() const {
    std::lock_guard lock(mutex_);
    return language_;
}

std::string Localization::lookup(std::string_view key) const {
    std::lock_guard lock(mutex_);
    auto table = tables_.find(language_);
    if (table != tables_.end()) {
        auto found = table->second.find(key);
        if (found != table->second.end()) return found->second;
    }
    return std::string(key);
}

namespace {

// English counts: "1 item", not "1 items". The nouns the app counts, as they
// follow a number in its texts.
constexpr std::pair<std::string_view, std::string_view> kEnglishSingulars[] = {
    {" items", " item"},           {" safe items", " safe item"}, {" more items", " more item"},
    {" categories", " category"},  {" domains", " domain"},       {" privacy groups", " privacy group"},
    {" days", " day"},             {" files", " file"},           {" copies", " copy"},
    {" apps", " app"},             {" applications", " application"}, {" processes", " process"},
    {" tracker cookies", " tracker cookie"}, {" cookies", " cookie"}, {" groups", " group"},
    {" hours", " hour"},           {" minutes", " minute"},       {" leftovers", " leftover"},
};

// After a count of one, the plural noun that follows becomes singular.
void singularAfter(std::string& text, std::size_t end) {
    for (const auto& [plural, singular] : kEnglishSingulars) {
        if (text.compare(end, plural.size(), plural) != 0) continue;
        const auto after = end + plural.size();
        if (after < text.size() && std::isalpha(static_cast<unsigned char>(text[after]))) continue;
        text.replace(end, plural.size(), singular);
        return;
    }
}

// "%2$@" or "%1$lld" at `at`: the value index, the slot's length and
// whether it is a number; none otherwise.
struct PositionalSlot {
    std::size_t index;
    std::size_t length;
    bool isNumber;
};
std::optional<PositionalSlot> positionalSlot(const std::string& text, std::size_t at) {
    std::size_t end = at + 1;
    std::size_t number = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') number = number * 10 + (text[end++] - '0');
    if (end == at + 1 || number == 0 || end >= text.size() || text[end] != '$') return std::nullopt;
    for (std::string_view kind : {"@", "lld"}) {
        if (text.compare(end + 1, kind.size(), kind) == 0) return PositionalSlot{number - 1, end + 1 + kind.size() - at, kind != "@"};
    }
    return std::nullopt;
}

// Fills numbered slots ("%2$@ of %1$@"), which a translation may reorder;
// false when the text has none.
bool fillNumberedSlots(std::string& text, const std::vector<std::string>& values, bool english) {
    bool filled = false;
    for (auto at = text.find('%'); at != std::string::npos; at = text.find('%', at)) {
        const auto slot = positionalSlot(text, at);
        if (!slot || slot->index >= values.size()) {
            ++at;
            continue;
        }
        const auto& value = values[slot->index];
        text.replace(at, slot->length, value);
        at += value.size();
        if (slot->isNumber && english && value == "1") singularAfter(text, at);
        filled = true;
    }
    return filled;
}

}  // namespace

std::string localizedFormat(std::string_view key, const std::vector<std::string>& values) {
    auto text = localized(key);
    const bool english = Localization::shared().language().starts_with("en");
    if (fillNumberedSlots(text, values, english)) return text;
    std::size_t from = 0;
    for (const auto& value : values) {
        const auto object = text.find("%@", from);
        const auto number = text.find("%lld", from);
        if (object == std::string::npos && number == std::string::npos) break;
        const bool isNumber = object == std::string::npos || (number != std::string::npos && number < object);
        const auto at = isNumber ? number : object;
        text.replace(at, isNumber ? 4 : 2, value);
        from = at + value.size();
        if (isNumber && english && value == "1") singularAfter(text, from);
    }
    return text;
}

}  // namespace zentrel::platform
