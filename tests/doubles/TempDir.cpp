#include "doubles/TempDir.hpp"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace zentrel::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zentrel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = std::filesystem::canonical(pattern);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may leave read-only folders behind; open them up before removal.
    for (auto it = std::filesystem::recursive_directory_iterator(
             path_, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::write(const std::filesystem::path& relative, std::string_view contents) {
    auto target = path_ / relative;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return target;
}

std::filesystem::path TempDir::makeDirectory(const std::filesystem::path& relative) {
    auto target = path_ / relative;
    std::filesystem::create_directories(target);
    return target;
}

}  // namespace zentrel::testing
