#pragma once
// The Linux layout's texts in one language for the life of a test: the
// built-in catalogs in the shared lookup, cleared again at the end.

#include "platform/text/DesktopTexts.hpp"

#include <optional>
#include <string>

namespace zentrel::testing {

class ScopedDesktopTexts {
public:
    explicit ScopedDesktopTexts(const std::string& language = "en") {
        platform::useDesktopTexts(platform::Localization::shared(), platform::HostPlatform::linuxDesktop,
                                  [](const char*) { return std::optional<std::string>(); });
        platform::Localization::shared().setLanguage(language);
    }
    ~ScopedDesktopTexts() { platform::Localization::shared().clear(); }
    ScopedDesktopTexts(const ScopedDesktopTexts&) = delete;
    ScopedDesktopTexts& operator=(const ScopedDesktopTexts&) = delete;
};

}  // namespace zentrel::testing
