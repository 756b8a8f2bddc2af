#include "platform/text/BoundedJson.hpp"

namespace zentrel::platform {

nlohmann::json parseBoundedJson(std::string_view text) {
    bool tooDeep = false;
    auto root = nlohmann::json::parse(
        text,
        [&tooDeep](int depth, nlohmann::json::parse_event_t, nlohmann::json&) {
            tooDeep = tooDeep || depth > kDeepestStoredNesting;
            return !tooDeep;
        },
        false);
    if (tooDeep) return nlohmann::json(nlohmann::json::value_t::discarded);
    return root;
}

}  // namespace zentrel::platform
