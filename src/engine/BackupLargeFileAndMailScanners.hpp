#pragma once
// The device-backup category, the largest files of the home folder and of
// Downloads, Desktop, Documents and Movies, and the two Mail attachment caches
// that join the app-cache category.

#include "engine/CleanerEngine.hpp"

#include <string>

namespace zentrel::engine {

[[nodiscard]] CleanerEngine::Items scanIOSBackups(CleanerEngine& engine, const std::string& home);
[[nodiscard]] CleanerEngine::Items scanLargeFiles(CleanerEngine& engine, const std::string& home);
[[nodiscard]] CleanerEngine::Items scanMail(CleanerEngine& engine, const std::string& home);

void registerBackupLargeFileAndMailScanners(CleanerEngine& engine, std::string home);

}  // namespace zentrel::engine
