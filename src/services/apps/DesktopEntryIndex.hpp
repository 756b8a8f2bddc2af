#pragma once
// The desktop entries of the installed applications, found by the program
// name their process runs as or by the path of their file. Folders earlier in
// the list win, as the user's own entries override the system's.

#include "services/apps/DesktopEntry.hpp"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zentrel::services {

class DesktopEntryIndex {
public:
    explicit DesktopEntryIndex(std::vector<std::filesystem::path> folders, std::string language = "en");

    // Reads the folders again when one of them changed since the last read.
    void refresh();

    // `programName` in lower case.
    [[nodiscard]] const DesktopEntry* entryForProgram(std::string_view programName) const;
    [[nodiscard]] const DesktopEntry* entryForFile(const std::filesystem::path& file) const;
    [[nodiscard]] std::size_t size() const { return entries_.size(); }

private:
    void reload();
    [[nodiscard]] std::vector<std::filesystem::file_time_type> folderTimes() const;

    std::vector<std::filesystem::path> folders_;
    std::string language_;
    std::vector<std::filesystem::file_time_type> loadedTimes_;
    bool loaded_ = false;
    std::vector<DesktopEntry> entries_;
    std::map<std::string, std::size_t, std::less<>> byProgram_;
    std::map<std::string, std::size_t, std::less<>> byFile_;
};

}  // namespace zentrel::services
