#pragma once
// The device-backup category, the largest files of the home folder and of
// Downloads, Desktop, Documents and Movies, and the two Mail attachment caches
// that join the app-cache category.

#include "engine/CleanerEngine.hpp"
#include "platform/places/HostTable.hpp"

#include <string>

namespace zentrel::engine {

[[nodiscard]] CleanerEngine::Items scanIOSBackups(CleanerEngine& engine, const platform::HostTable& table);
[[nodiscard]] CleanerEngine::Items scanLargeFiles(CleanerEngine& engine, const platform::HostTable& table);
[[nodiscard]] CleanerEngine::Items scanMail(CleanerEngine& engine, const platform::HostTable& table);

void registerBackupLargeFileAndMailScanners(CleanerEngine& engine, const platform::HostTable& table);

}  // namespace zentrel::engine
