// Property lists of any shape, XML or binary, read as the scanners read a
// bundle's "Info.plist".

#include "doubles/FakeFileSystem.hpp"
#include "engine/PropertyListFile.hpp"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zentrel::testing::FakeFileSystem fileSystem;
    fileSystem.addTextFile("/Info.plist", std::string(reinterpret_cast<const char*>(data), size));
    (void)zentrel::engine::readPropertyListStrings(fileSystem, "/Info.plist",
                                                   {"CFBundleIdentifier", "CFBundleName", "Device Name", "Label"});
    return 0;
}
