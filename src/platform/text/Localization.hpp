#pragma once
// Lookup of user-visible text. The key is the text as the program was
// written (mostly English); each language's catalog gives its text, with
// plural forms for counted texts. A key without an entry in the current
// language comes back as English shows it, or as it is when English has none.
//
//   platform::localized("Scan Complete")
//   platform::localizedFormat(N_COUNTED("%lld items"), {"1"})  // "1 item" in English

#include "platform/text/BuiltInCatalogs.hpp"

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Marks a text that is looked up later (a table's label, a constant) so the
// translators' template lists it; the text itself is unchanged.
#define N_(text) text
// The same for a counted text, which has plural forms: N_COUNTED("%lld items").
#define N_COUNTED(text) text

namespace zentrel::platform {

class Localization {
public:
    static Localization& shared();

    // Adds single-form translations of one language; later entries replace earlier ones.
    void addTranslations(std::string_view language, const std::map<std::string, std::string>& table);
    // Adds a catalog's messages and takes its plural rule for the language.
    void addCatalog(const Catalog& catalog);
    // Back to no translations, in English.
    void clear();
    // "en" (the default) or a language with translations.
    void setLanguage(std::string_view language);
    [[nodiscard]] std::string language() const;

    [[nodiscard]] std::string lookup(std::string_view key) const;
    // The plural form of `key` for `count`, in the current language.
    [[nodiscard]] std::string lookup(std::string_view key, unsigned long long count) const;
    // The single form of `key` in `language`, whatever the current language is.
    [[nodiscard]] std::string lookupIn(std::string_view language, std::string_view key) const;
    [[nodiscard]] bool hasEntry(std::string_view language, std::string_view key) const;
    // Every key looked up so far, so tests can check that each text shown has its translations.
    [[nodiscard]] std::set<std::string, std::less<>> lookedUpKeys() const;

private:
    struct Table {
        std::size_t (*pluralForm)(unsigned long long count) = nullptr;
        std::map<std::string, std::vector<std::string>, std::less<>> messages;
    };
    [[nodiscard]] std::string find(std::string_view key, const std::function<std::size_t(const Table&)>& form) const;

    mutable std::mutex mutex_;
    std::string language_ = "en";
    std::map<std::string, Table, std::less<>> tables_;
    mutable std::set<std::string, std::less<>> lookedUp_;
};

[[nodiscard]] inline std::string localized(std::string_view key) { return Localization::shared().lookup(key); }

// The localized text of `key` with its "%@" and "%lld" slots filled by
// `values`, in the order the slots stand: localizedFormat("%@ freed", {"2 MB"}).
// Numbered slots take the value of their number instead: "%2$lld of %1$lld".
// A counted text takes the plural form for the value of its last "%lld" slot.
[[nodiscard]] std::string localizedFormat(std::string_view key, const std::vector<std::string>& values);

}  // namespace zentrel::platform
