#pragma once
// Whether the local copy of a cloud-drive file is current, and freeing that
// copy while the file stays in the cloud. This platform has no such drive:
// `NoICloudFileStatus` knows no file as downloaded and evicts nothing.

#include <optional>
#include <string>

namespace zentrel::platform {

class ICloudFileStatus {
public:
    virtual ~ICloudFileStatus() = default;
    // True when the local copy is current; none when the status is unknown.
    [[nodiscard]] virtual std::optional<bool> isDownloaded(const std::string& path) const = 0;
    // Frees the local copy; an error text on failure.
    [[nodiscard]] virtual std::optional<std::string> evict(const std::string& path) = 0;
};

class NoICloudFileStatus final : public ICloudFileStatus {
public:
    [[nodiscard]] std::optional<bool> isDownloaded(const std::string&) const override { return std::nullopt; }
    [[nodiscard]] std::optional<std::string> evict(const std::string&) override {
        return "iCloud Drive is not available on this computer.";
    }
};

}  // namespace zentrel::platform
