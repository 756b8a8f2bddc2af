#include "platform/Localization.hpp"

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

// "%2$@" or "%1$lld" at `at`: the slot's value index and length; none otherwise.
std::optional<std::pair<std::size_t, std::size_t>> positionalSlot(const std::string& text, std::size_t at) {
    std::size_t end = at + 1;
    std::size_t number = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') number = number * 10 + (text[end++] - '0');
    if (end == at + 1 || number == 0 || end >= text.size() || text[end] != '$') return std::nullopt;
    for (std::string_view kind : {"@", "lld"}) {
        if (text.compare(end + 1, kind.size(), kind) == 0) return std::pair(number - 1, end + 1 + kind.size() - at);
    }
    return std::nullopt;
}

}  // namespace

std::string localizedFormat(std::string_view key, const std::vector<std::string>& values) {
    auto text = localized(key);
    // Numbered slots ("%2$@ of %1$@") take the value of their number, so a
    // translation may reorder them.
    std::string filled;
    bool positional = false;
    for (std::size_t at = 0; at < text.size();) {
        const auto slot = text[at] == '%' ? positionalSlot(text, at) : std::nullopt;
        if (slot && slot->first < values.size()) {
            filled += values[slot->first];
            at += slot->second;
            positional = true;
        } else {
            filled += text[at++];
        }
    }
    if (positional) return filled;
    std::size_t from = 0;
    for (const auto& value : values) {
        const auto object = text.find("%@", from);
        const auto number = text.find("%lld", from);
        if (object == std::string::npos && number == std::string::npos) break;
        const bool isNumber = object == std::string::npos || (number != std::string::npos && number < object);
        const auto at = isNumber ? number : object;
        text.replace(at, isNumber ? 4 : 2, value);
        from = at + value.size();
    }
    return text;
}

}  // namespace zentrel::platform
