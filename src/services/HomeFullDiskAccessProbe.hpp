#pragma once
// Full Disk Access on the injected home and system root. In this order: the
// privacy database opens for reading; the home's "Library/Safari" folder can
// be listed; its "Library/Mail" folder can be listed. A host that holds none
// of the three has nothing protected to read, so access counts as granted
// there (a Linux user is never locked out); otherwise it is denied.

#include "platform/HostLayout.hpp"
#include "services/FullDiskAccessProbe.hpp"

namespace zentrel::services {

class HomeFullDiskAccessProbe final : public FullDiskAccessProbe {
public:
    // Which step decided the answer.
    enum class Decision { privacyDatabase, safariFolder, mailFolder, nothingProtected, denied };

    explicit HomeFullDiskAccessProbe(platform::HostLayout layout);

    [[nodiscard]] bool canReadProtectedFiles() const override;
    [[nodiscard]] Decision decide() const;

private:
    platform::HostLayout layout_;
};

}  // namespace zentrel::services
