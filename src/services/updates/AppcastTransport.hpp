#pragma once
// Fetches the update feed's document. The answer may arrive on any thread.

#include <functional>
#include <optional>
#include <string>

namespace zentrel::services {

struct AppcastFetchResult {
    std::optional<std::string> document;  // absent on failure
    std::string error;                    // why it failed
};

class AppcastTransport {
public:
    using Done = std::function<void(AppcastFetchResult)>;
    virtual ~AppcastTransport() = default;
    virtual void fetch(const std::string& url, Done done) = 0;
};

}  // namespace zentrel::services
