#pragma once
// The test for Full Disk Access: whether the protected files can be read.

namespace zentrel::services {

class FullDiskAccessProbe {
public:
    virtual ~FullDiskAccessProbe() = default;
    // No state; callable from any thread; never throws.
    [[nodiscard]] virtual bool canReadProtectedFiles() const = 0;
};

}  // namespace zentrel::services
