#pragma once
// Every category scanner on one engine, over one host table: what the window
// and the command-line front both scan with.

#include "engine/CleanerEngine.hpp"
#include "platform/files/ICloudFileStatus.hpp"
#include "platform/places/HostTable.hpp"
#include "scanners/privacy/PrivacyScanner.hpp"

#include <functional>
#include <string>
#include <vector>

namespace zentrel::engine {

struct ScannerSources {
    platform::HostTable table;
    const platform::Clock& clock;
    platform::ICloudFileStatus& icloud;
    // The two privacy settings, as the main thread reads them.
    std::function<scanners::PrivacyScanner::ScanOptions()> privacySettings;
    scanners::PrivacyScanner::ClipboardCheck clipboardCheck;
};

// The categories with a place in `table`, in category order: one whose
// locations are all empty (the Xcode, device backup and iCloud folders on a
// Linux desktop) is left out.
[[nodiscard]] std::vector<model::CategoryType> categoriesWithPlaces(const platform::HostTable& table);

// Also limits the engine to the categories with a place in the table.
void registerAllCategoryScanners(CleanerEngine& engine, const ScannerSources& sources);

}  // namespace zentrel::engine
