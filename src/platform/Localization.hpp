#pragma once
// Lookup of user-visible text. English is the base language: the key is the
// English text, and a key without a translation in the current language comes
// back as it is.
//
//   platform::localized("Scan Complete")

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::platform {

class Localization {
public:
    static Localization& shared();

    // Adds translations of one language; later entries replace earlier ones.
    void addTranslations(std::string_view language, const std::map<std::string, std::string>& table);
    // "en" (the default) or a language with translations.
    void setLanguage(std::string_view language);
    [[nodiscard]] std::string language() const;

    [[nodiscard]] std::string lookup(std::string_view key) const;

private:
    mutable std::mutex mutex_;
    std::string language_ = "en";
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> tables_;
};

[[nodiscard]] inline std::string localized(std::string_view key) { return Localization::shared().lookup(key); }

// The localized text of `key` with its "%@" and "%lld" slots filled by
// `values`, in the order the slots stand: localizedFormat("%@ freed", {"2 MB"}).
// Numbered slots take the value of their number instead: "%2$lld of %1$lld".
// In English a counted noun after a count of one is singular: "1 item".
[[nodiscard]] std::string localizedFormat(std::string_view key, const std::vector<std::string>& values);

}  // namespace zentrel::platform
