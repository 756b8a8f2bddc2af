#pragma once
// A Unix-domain socket listening in a short folder of its own, as a running
// Chromium listens on the target of its "SingletonSocket" link; closed (its
// file left behind, as a crash leaves it) by `close()` or with the object.

#include "doubles/TempDir.hpp"

#include <filesystem>

namespace zentrel::testing {

class ListeningSocket {
public:
    ListeningSocket();
    ~ListeningSocket();
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    // Stops listening; the socket's file stays.
    void close();

private:
    TempDir folder_;
    std::filesystem::path path_;
    int fd_ = -1;
};

}  // namespace zentrel::testing
