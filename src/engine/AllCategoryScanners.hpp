#pragma once
// Every category scanner on one engine, over one host table: what the window
// and the command-line front both scan with.

#include "engine/CleanerEngine.hpp"
#include "platform/HostTable.hpp"
#include "platform/ICloudFileStatus.hpp"
#include "scanners/PrivacyScanner.hpp"

#include <functional>
#include <string>

namespace zentrel::engine {

struct ScannerSources {
    platform::HostTable table;
    const platform::Clock& clock;
    platform::ICloudFileStatus& icloud;
    // The two privacy settings, as the main thread reads them.
    std::function<scanners::PrivacyScanner::ScanOptions()> privacySettings;
    scanners::PrivacyScanner::ClipboardCheck clipboardCheck;
};

void registerAllCategoryScanners(CleanerEngine& engine, const ScannerSources& sources);

}  // namespace zentrel::engine
