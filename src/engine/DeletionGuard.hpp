#pragma once
// The last check before the clean run or the uninstaller changes anything on
// disk. A path it removes, truncates or empties must be absolute and plain (no
// "." or ".."), lie inside the home folder (not one of its main folders nor an
// XDG base folder) or inside one of the host table's system locations (a
// Mac's "/Library" and "/usr/local", a Linux desktop's "/var/cache" and
// "/var/tmp"), and be reached through real folders only: a folder on the way
// that has become a link since the scan could lead anywhere. The scanners
// never offer anything else; this keeps a stale or tampered list from
// reaching further.

#include "platform/files/FileSystem.hpp"
#include "platform/places/HostTable.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::engine {

class DeletionGuard final {
public:
    enum class Use {
        removeEntry,    // the entry itself goes; a link there is removed as a link
        changeInPlace,  // the entry is emptied or truncated, so it must not be a link
    };

    // The table's home, protected folders and system locations, and any
    // further folders outside the home whose entries may go (the uninstaller's
    // application folders).
    DeletionGuard(const platform::FileSystem& fileSystem, const platform::HostTable& table,
                  const std::vector<std::string>& furtherLocations = {});

    // Why the path must not be touched; none when it may.
    [[nodiscard]] std::optional<std::string> refusal(const std::string& path, Use use) const;

private:
    [[nodiscard]] std::optional<std::string> linkOnTheWay(const std::string& root, const std::string& path,
                                                          Use use) const;

    const platform::FileSystem& fileSystem_;
    std::string home_;
    std::string systemRoot_;
    std::vector<std::string> protectedFolders_;
    std::vector<platform::HostTable::SystemLocation> systemLocations_;
};

}  // namespace zentrel::engine
