#include "services/apps/DesktopEntryIndex.hpp"

#include "services/processes/SmallFile.hpp"

#include <algorithm>
#include <set>

namespace zentrel::services {

namespace fs = std::filesystem;

DesktopEntryIndex::DesktopEntryIndex(std::vector<fs::path> folders, std::string language)
    : folders_(std::move(folders)), language_(std::move(language)) {}

std::vector<fs::file_time_type> DesktopEntryIndex::folderTimes() const {
    std::vector<fs::file_time_type> times;
    for (const auto& folder : folders_) {
        std::error_code error;
        times.push_back(fs::last_write_time(folder, error));
        if (error) times.back() = fs::file_time_type::min();
    }
    return times;
}

void DesktopEntryIndex::refresh() {
    auto times = folderTimes();
    if (loaded_ && times == loadedTimes_) return;
    loadedTimes_ = std::move(times);
    loaded_ = true;
    reload();
}

void DesktopEntryIndex::reload() {
    entries_.clear();
    byProgram_.clear();
    byFile_.clear();
    std::set<std::string> seenIds;
    for (const auto& folder : folders_) {
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            const fs::path& file = it->path();
            if (file.extension() != ".desktop" || !it->is_regular_file(error)) continue;
            // The id of "kde4/okular.desktop" is "kde4-okular".
            std::string id = file.lexically_relative(folder).replace_extension().string();
            std::replace(id.begin(), id.end(), '/', '-');
            if (!seenIds.insert(id).second) continue;
            const auto text = readSmallFile(file.string());
            if (!text) continue;
            auto entry = DesktopEntry::parse(*text, std::move(id), language_);
            if (!entry) continue;
            const std::size_t index = entries_.size();
            for (const auto& program : entry->programNames) byProgram_.try_emplace(program, index);
            byFile_.try_emplace(file.string(), index);
            entries_.push_back(std::move(*entry));
        }
    }
}

const DesktopEntry* DesktopEntryIndex::entryForProgram(std::string_view programName) const {
    auto found = byProgram_.find(programName);
    return found == byProgram_.end() ? nullptr : &entries_[found->second];
}

const DesktopEntry* DesktopEntryIndex::entryForFile(const fs::path& file) const {
    auto found = byFile_.find(file.string());
    return found == byFile_.end() ? nullptr : &entries_[found->second];
}

}  // namespace zentrel::services
