#pragma once
// A depth-first walk below one folder, pulled one entry at a time, that never
// follows a symbolic link below its root, never enters a folder twice on one
// branch (a mount that loops back), and stays on the device of its root.
// Entries come folder by folder in name order; a folder comes before what is
// inside it. The walker may be told not to enter the folder it just returned.
//
//   auto walk = fileSystem.walk(root, {.skipHiddenEntries = true});
//   while (walk) {
//       auto entry = walk->next();
//       if (!entry) break;
//       if (entry->name == "node_modules") walk->skipDescendants();
//   }

#include "platform/files/FileAttributes.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::platform {

struct WalkOptions {
    // Names beginning with "." are neither returned nor entered.
    bool skipHiddenEntries = false;
    // Packages ("Xcode.app") are returned but not entered.
    bool skipPackageContents = false;
};

struct WalkEntry {
    std::string path;  // the root, "/", then the path below it
    std::string name;
    int depth = 0;     // 1 for a direct entry of the root
    FileAttributes attributes;
};

class DirectoryWalk {
public:
    virtual ~DirectoryWalk() = default;
    DirectoryWalk(const DirectoryWalk&) = delete;
    DirectoryWalk& operator=(const DirectoryWalk&) = delete;

    // The next entry, or nullopt once the walk is over. Entries that vanish
    // or cannot be read are passed over; a folder that cannot be opened is
    // returned but nothing inside it.
    [[nodiscard]] std::optional<WalkEntry> next();
    // Do not enter the folder that next() returned last.
    void skipDescendants() { enterPending_ = false; }

    // Folders that were returned but could not be opened, so far.
    [[nodiscard]] std::size_t unreadableFolderCount() const { return unreadableFolders_; }

protected:
    struct Child {
        std::string name;
        FileAttributes attributes;
    };

    DirectoryWalk(std::string root, WalkOptions options);

    // Opens the root folder (following a link at the root itself). Returns
    // false when it is not a readable folder. Called once by the factory.
    [[nodiscard]] bool start();

    // Backends: open a folder and read its direct entries with their
    // attributes. `folder` is nullptr for the root; otherwise it is the entry
    // to enter, a direct entry of the folder opened last and still open.
    // `rootAttributes` receives the root's own attributes. The entries may be
    // in any order and may leave out hidden names when `skipHidden` is set.
    [[nodiscard]] virtual std::optional<std::vector<Child>> openFolder(const WalkEntry* folder, bool skipHidden,
                                                                       FileAttributes* rootAttributes) = 0;
    // Closes the folder opened last.
    virtual void closeFolder() = 0;

    [[nodiscard]] const std::string& root() const { return root_; }

private:
    struct Level {
        std::string path;
        int depth = 0;
        FileIdentity identity;
        std::vector<Child> children;
        std::size_t nextChild = 0;
    };
    void push(std::string path, int depth, FileIdentity identity, std::vector<Child> children);
    [[nodiscard]] bool isOnCurrentBranch(const FileIdentity& identity) const;
    void enterPendingFolder();

    std::string root_;
    WalkOptions options_;
    std::uint64_t rootDevice_ = 0;
    std::vector<Level> levels_;
    std::optional<WalkEntry> lastFolder_;
    bool enterPending_ = false;
    std::size_t unreadableFolders_ = 0;
};

}  // namespace zentrel::platform
