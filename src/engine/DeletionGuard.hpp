#pragma once
// The last check before the clean run changes anything on disk. A path it
// removes, truncates or empties must be absolute and plain (no "." or ".."),
// lie inside the home folder (not one of its main folders) or inside the
// system root's "Library" or "usr/local", and be reached through real folders
// only: a folder on the way that has become a link since the scan could lead
// anywhere. The scanners never offer anything else; this keeps a stale or
// tampered list from reaching further.

#include "platform/FileSystem.hpp"

#include <optional>
#include <string>

namespace zentrel::engine {

class DeletionGuard final {
public:
    enum class Use {
        removeEntry,    // the entry itself goes; a link there is removed as a link
        changeInPlace,  // the entry is emptied or truncated, so it must not be a link
    };

    DeletionGuard(const platform::FileSystem& fileSystem, std::string home, std::string systemRoot);

    // Why the path must not be touched; none when it may.
    [[nodiscard]] std::optional<std::string> refusal(const std::string& path, Use use) const;

private:
    [[nodiscard]] std::optional<std::string> linkOnTheWay(const std::string& root, const std::string& path,
                                                          Use use) const;

    const platform::FileSystem& fileSystem_;
    std::string home_;
    std::string systemRoot_;
};

}  // namespace zentrel::engine
