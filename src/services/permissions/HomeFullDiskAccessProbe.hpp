#pragma once
// Full Disk Access on the injected home and system root. In this order: the
// privacy database opens for reading; the home's "Library/Safari" folder can
// be listed; its "Library/Mail" folder can be listed; the home folder itself
// can be listed. The last is what the scans need on a desktop without a
// privacy database, so a user whose home can be read is never held back;
// only a home that cannot be listed is denied.

#include "platform/places/HostLayout.hpp"
#include "services/permissions/FullDiskAccessProbe.hpp"

namespace zentrel::services {

class HomeFullDiskAccessProbe final : public FullDiskAccessProbe {
public:
    // Which step decided the answer.
    enum class Decision { privacyDatabase, safariFolder, mailFolder, homeFolder, denied };

    explicit HomeFullDiskAccessProbe(platform::HostLayout layout);

    [[nodiscard]] bool canReadProtectedFiles() const override;
    [[nodiscard]] Decision decide() const;

private:
    platform::HostLayout layout_;
};

}  // namespace zentrel::services
