#pragma once
// A fresh folder for one test, removed with everything in it afterwards. Tests
// build their home folders and fixtures in here, never in the real home.

#include <filesystem>
#include <string_view>

namespace zentrel::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return path_ / relative; }

    // Writes a file (creating its folders) and returns its path.
    std::filesystem::path write(const std::filesystem::path& relative, std::string_view contents);
    // Creates a folder (and its parents) and returns its path.
    std::filesystem::path makeDirectory(const std::filesystem::path& relative);

private:
    std::filesystem::path path_;
};

}  // namespace zentrel::testing
