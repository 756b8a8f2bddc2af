#include "services/permissions/HomeFullDiskAccessProbe.hpp"

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace zentrel::services {

namespace {

bool opensForReading(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);  // a failed close changes nothing
    return true;
}

bool isListable(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator listing(folder, error);
    return !error;
}

}  // namespace

HomeFullDiskAccessProbe::HomeFullDiskAccessProbe(platform::HostLayout layout) : layout_(std::move(layout)) {}

bool HomeFullDiskAccessProbe::canReadProtectedFiles() const { return decide() != Decision::denied; }

HomeFullDiskAccessProbe::Decision HomeFullDiskAccessProbe::decide() const {
    const auto privacyDatabase = layout_.systemPath("Library/Application Support/com.apple.TCC/TCC.db");
    const auto safari = layout_.home / "Library/Safari";
    const auto mail = layout_.home / "Library/Mail";
    if (opensForReading(privacyDatabase)) return Decision::privacyDatabase;
    if (isListable(safari)) return Decision::safariFolder;
    if (isListable(mail)) return Decision::mailFolder;
    if (isListable(layout_.home)) return Decision::homeFolder;
    return Decision::denied;
}

}  // namespace zentrel::services
