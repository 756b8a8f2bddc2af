// Desktop entries of any shape, with a desktop id of any shape (the input's
// first line), listed and searched for leftovers as the uninstaller does, in
// a home where every shared place exists: no leftover may be one of them, or
// lie anywhere but directly in a folder that holds leftovers.

#include "doubles/FakeFileSystem.hpp"
#include "services/apps/AppUninstaller.hpp"
#include "services/apps/DesktopEntry.hpp"
#include "services/apps/SharedDesktopPlaces.hpp"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace zentrel;

bool isLeftoverPlace(const platform::HostTable& table, const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos || !services::isSafePathComponent(path.substr(slash + 1))) return false;
    const auto parent = path.substr(0, slash);
    return parent == table.configHome || parent == table.dataHome || parent == table.cacheHome ||
           parent == table.stateHome || parent == table.autostartFolder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    const std::string id(input.substr(0, newline == std::string_view::npos ? input.size() : newline));
    const std::string text(newline == std::string_view::npos ? std::string_view{} : input.substr(newline + 1));

    testing::FakeFileSystem fileSystem;
    const auto table =
        platform::HostTable::linuxDesktop(platform::HostLayout::forHome("/home/u", "/"), fileSystem, 1000);
    for (const auto* shared : {"/home/u/.config/autostart/other.desktop", "/home/u/.config/google-chrome/Default",
                               "/home/u/.config/zentrel/settings.json", "/home/u/.local/share/keyrings/login",
                               "/home/u/.local/share/applications/x.desktop", "/home/u/.cache/thumbnails/a"})
        fileSystem.addTextFile(shared, "x");

    const auto entry = services::DesktopEntry::parse(text, id);
    if (!entry || !services::isSafePathComponent(id)) return 0;
    const auto path = table.applicationFolders.front() + "/" + id + ".desktop";
    fileSystem.addTextFile(path, text);
    // Every name the entry gives a leftover also exists, so each candidate is tried.
    for (const auto& name : services::leftoverNames(id, entry->executable, entry->name)) {
        for (const auto* folder : {&table.configHome, &table.dataHome, &table.cacheHome, &table.stateHome})
            fileSystem.addTextFile(*folder + "/" + name + "/f", "x");
    }

    const services::AppUninstaller uninstaller(fileSystem, table);
    for (const auto& item : uninstaller.findLeftovers({.name = entry->name, .bundleID = id, .path = path, .version = ""})) {
        if (item.path == path) continue;
        if (!isLeftoverPlace(table, item.path) || services::isSharedDesktopPlace(table, item.path)) std::abort();
    }
    return 0;
}
