#include "platform/files/OwnFolderMigration.hpp"

#include "platform/files/FileDescriptor.hpp"
#include "platform/text/Localization.hpp"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zentrel::platform {

namespace {

int openFolder(int parent, const char* name) {
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool sameFolder(int a, int b) {
    struct stat first {}, second {};
    return ::fstat(a, &first) == 0 && ::fstat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::vector<std::string> entriesOf(int folder) {
    std::vector<std::string> names;
    const int listing = ::dup(folder);
    if (listing < 0) return names;
    DIR* directory = ::fdopendir(listing);
    if (directory == nullptr) {
        ::close(listing);
        return names;
    }
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(directory);
    return names;
}

}  // namespace

OwnFolderMigration moveLegacyOwnFolders(const HostLayout& layout) {
    OwnFolderMigration result;
    if (layout.dataHome.empty()) return result;
    const FileDescriptor data(::open(layout.dataHome.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!data.isOpen()) return result;
    const std::string ownName(kOwnFolderName);
    for (const auto legacyName : kLegacyDataFolders) {
        const std::string legacy(legacyName);
        const FileDescriptor old(openFolder(data.get(), legacy.c_str()));
        if (!old.isOpen()) continue;
        if (::mkdirat(data.get(), ownName.c_str(), 0700) != 0 && errno != EEXIST) continue;
        const FileDescriptor own(openFolder(data.get(), ownName.c_str()));
        // A case-blind file system shows N_("Zentrel") as the own folder itself.
        if (!own.isOpen() || sameFolder(old.get(), own.get())) continue;
        for (const auto& name : entriesOf(old.get())) {
            if (::renameat2(old.get(), name.c_str(), own.get(), name.c_str(), RENAME_NOREPLACE) == 0) {
                ++result.moved;
            } else if (errno == EEXIST) {
                result.kept.push_back((layout.dataHome / legacy / name).string());
            }
        }
        (void)::unlinkat(data.get(), legacy.c_str(), AT_REMOVEDIR);  // only once it is empty
    }
    return result;
}

}  // namespace zentrel::platform
