
#include "platform/text/Localization.hpp"
#include <algorithm>
#include <optional>

namespace zentrel::platform {

namespace {

// English's rule, for languages given without a catalog.
std::size_t oneOrMany(unsigned long long count) { return count == 1 ? 0 : 1; }

}  // namespace

Localization& Localization::shared() {
    static Localization instance;
    return instance;
}

void Localization::addTranslations(std::string_view language, const std::map<std::string, std::string>& table) {
    std::lock_guard lock(mutex_);
    auto& target = tables_[std::string(language)];
    for (const auto& [key, text] : table) target.messages.insert_or_assign(key, std::vector<std::string>{text});
}

void Localization::addCatalog(const Catalog& catalog) {
    std::lock_guard lock(mutex_);
    auto& target = tables_[std::string(catalog.language)];
    target.pluralForm = catalog.pluralForm;
    for (const auto& message : catalog.messages) {
        std::vector<std::string> forms;
        for (const auto form : message.forms) {
            if (!form.empty()) forms.emplace_back(form);
        }
        target.messages.insert_or_assign(std::string(message.key), std::move(forms));
    }
}

void Localization::clear() {
    std::lock_guard lock(mutex_);
    tables_.clear();
    language_ = "en";
}

void Localization::setLanguage(std::string_view language) {
    std::lock_guard lock(mutex_);
    language_ = std::string(language);
}

std::string Localization::language() const {
    std::lock_guard lock(mutex_);
    return language_;
}

std::string Localization::find(std::string_view key, const std::function<std::size_t(const Table&)>& form) const {
    std::lock_guard lock(mutex_);
    if (lookedUp_.find(key) == lookedUp_.end()) lookedUp_.emplace(key);
    // A text the language's catalog leaves out is shown as English shows it, else as its key.
    for (const std::string_view language : {std::string_view(language_), std::string_view("en")}) {
        auto table = tables_.find(language);
        if (table == tables_.end()) continue;
        auto found = table->second.messages.find(key);
        if (found == table->second.messages.end() || found->second.empty()) continue;
        return found->second[std::min(form(table->second), found->second.size() - 1)];
    }
    return std::string(key);
}

std::string Localization::lookup(std::string_view key) const {
    return find(key, [](const Table&) { return std::size_t{0}; });
}

std::string Localization::lookup(std::string_view key, unsigned long long count) const {
    return find(key, [count](const Table& table) { return (table.pluralForm ? table.pluralForm : oneOrMany)(count); });
}

std::string Localization::lookupIn(std::string_view language, std::string_view key) const {
    std::lock_guard lock(mutex_);
    const auto table = tables_.find(language);
    if (table == tables_.end()) return std::string(key);
    const auto found = table->second.messages.find(key);
    return found == table->second.messages.end() || found->second.empty() ? std::string(key) : found->second.front();
}

bool Localization::hasEntry(std::string_view language, std::string_view key) const {
    std::lock_guard lock(mutex_);
    auto table = tables_.find(language);
    return table != tables_.end() && table->second.messages.contains(key);
}

std::set<std::string, std::less<>> Localization::lookedUpKeys() const {
    std::lock_guard lock(mutex_);
    return lookedUp_;
}

namespace {

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

// The value index of the key's last number slot, which counts what the text names.
std::optional<std::size_t> countSlot(const std::string& key) {
    std::optional<std::size_t> last;
    std::size_t sequential = 0;
    for (auto at = key.find('%'); at != std::string::npos; at = key.find('%', at + 1)) {
        if (const auto slot = positionalSlot(key, at)) {
            if (slot->isNumber) last = slot->index;
        } else if (key.compare(at, 4, "%lld") == 0) {
            last = sequential++;
        } else if (key.compare(at, 2, "%@") == 0) {
            ++sequential;
        }
    }
    return last;
}

// The count a value stands for: its digits ("1,204" is 1204); none without digits.
std::optional<unsigned long long> countOf(std::string_view value) {
    std::optional<unsigned long long> count;
    for (const char c : value) {
        if (c >= '0' && c <= '9') count = count.value_or(0) * 10 + static_cast<unsigned long long>(c - '0');
        else if (c != ',' && c != '.' && c != ' ' && !(c == '-' && !count)) break;
    }
    return count;
}

// Fills numbered slots ("%2$@ of %1$@"), which a translation may reorder;
// false when the text has none.
bool fillNumberedSlots(std::string& text, const std::vector<std::string>& values) {
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
        filled = true;
    }
    return filled;
}

}  // namespace

std::string localizedFormat(std::string_view key, const std::vector<std::string>& values) {
    const std::string keyText(key);
    const auto slot = countSlot(keyText);
    const auto count = slot && *slot < values.size() ? countOf(values[*slot]) : std::nullopt;
    auto text = count ? Localization::shared().lookup(key, *count) : localized(key);
    if (fillNumberedSlots(text, values)) return text;
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
