#include "platform/Localization.hpp"

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

std::string localizedFormat(std::string_view key, const std::vector<std::string>& values) {
    auto text = localized(key);
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
