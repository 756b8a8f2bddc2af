// A Firefox "profiles.ini" and a "user-dirs.dirs" of any shape, read as a
// Linux desktop's host table and cookie stores read them. The input is the
// profiles file, a NUL byte, then the user-dirs file.

#include "doubles/FakeFileSystem.hpp"
#include "platform/places/HostTable.hpp"
#include "platform/text/Warnings.hpp"
#include "scanners/privacy/FirefoxProfilesIni.hpp"
#include "scanners/privacy/PrivacyCookieStore.hpp"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentrel;
    static const bool quiet = [] {
        platform::setWarningSink([](const std::string&) {});
        return true;
    }();
    (void)quiet;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\0');
    const auto profiles = input.substr(0, split);
    const auto userDirs = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    (void)scanners::firefoxProfilesOfIni(profiles);
    testing::FakeFileSystem fileSystem;
    fileSystem.addTextFile("/home/u/.mozilla/firefox/profiles.ini", std::string(profiles));
    fileSystem.addTextFile("/home/u/.config/user-dirs.dirs", std::string(userDirs));
    const auto table =
        platform::HostTable::linuxDesktop(platform::HostLayout::forHome("/home/u", {}), fileSystem, 1000);
    const scanners::PrivacyCookieStore store(fileSystem, table);
    (void)store.firefoxProfiles();
    return 0;
}
