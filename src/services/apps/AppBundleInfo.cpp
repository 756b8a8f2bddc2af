#include "services/apps/AppBundleInfo.hpp"

namespace zentrel::services {

InfoDictionary mainBundleInfo() {
    return {{std::string(kShortVersionKey), std::string(ZENTREL_DISPLAY_VERSION)},
            {std::string(kBuildVersionKey), std::string(ZENTREL_BUILD_VERSION)}};
}

std::optional<std::string> infoString(const InfoDictionary& info, std::string_view key) {
    auto found = info.find(key);
    if (found == info.end()) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&found->second)) return *text;
    return std::nullopt;
}

}  // namespace zentrel::services
