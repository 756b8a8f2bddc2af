#pragma once
// The feed fetched for real: "http" and "https" addresses over libcurl,
// "file:" addresses and absolute paths from disk. Either way at most
// kMaxAppcastBytes are read, and the work runs on the given executor.

#include "platform/concurrency/Executor.hpp"
#include "services/updates/AppcastTransport.hpp"

namespace zentrel::services {

class NetworkAppcastTransport final : public AppcastTransport {
public:
    explicit NetworkAppcastTransport(platform::Executor& executor);

    void fetch(const std::string& url, Done done) override;

    // The synchronous fetch the executor runs.
    [[nodiscard]] static AppcastFetchResult fetchNow(const std::string& url);

private:
    platform::Executor& executor_;
};

}  // namespace zentrel::services
