#include "model/PathClaims.hpp"

#include <algorithm>
#include <map>
#include <string>

namespace zentrel::model {

namespace {

// Most specific first.
constexpr CategoryType kSpecificity[] = {
    CategoryType::privacy,    CategoryType::devTools,   CategoryType::xcode,      CategoryType::devProjects,
    CategoryType::iosBackups, CategoryType::appCaches,  CategoryType::startup,    CategoryType::icloud,
    CategoryType::duplicates, CategoryType::trash,      CategoryType::largeFiles, CategoryType::systemCaches,
};

int specificity(CategoryType category) {
    return static_cast<int>(std::find(std::begin(kSpecificity), std::end(kSpecificity), category) -
                            std::begin(kSpecificity));
}

// Whether the item's clean takes everything below its path with it.
bool removesWhatIsBelow(const CleanItem& item) {
    switch (item.deletionMethod.kind()) {
    case DeletionMethod::Kind::remove:
    case DeletionMethod::Kind::emptyTrash:
    case DeletionMethod::Kind::clearDirectoryContents: return true;
    default: return false;
    }
}

bool claims(const CleanItem& item) { return !item.path.empty() && !item.isDuplicateKeeper; }

// Paths ordered so that a folder comes right before everything below it.
bool folderFirst(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto rank = [](char c) { return c == '/' ? 0 : static_cast<unsigned char>(c) + 1; };
        return rank(x) < rank(y);
    });
}

}  // namespace

std::vector<CleanItem> claimPaths(std::vector<CleanItem> items) {
    // The item that keeps each path.
    std::map<std::string, std::size_t> owner;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!claims(items[i])) continue;
        auto [found, inserted] = owner.emplace(items[i].path, i);
        if (!inserted && specificity(items[i].category) < specificity(items[found->second].category)) found->second = i;
    }
    std::vector<std::pair<std::string, std::size_t>> byPath(owner.begin(), owner.end());
    std::sort(byPath.begin(), byPath.end(), [](const auto& a, const auto& b) { return folderFirst(a.first, b.first); });
    std::vector<bool> kept(items.size(), false);
    const std::string* folder = nullptr;  // the last kept path that takes what is below it
    for (const auto& [path, index] : byPath) {
        if (folder && path.size() > folder->size() && path.starts_with(*folder) && path[folder->size()] == '/') continue;
        kept[index] = true;
        if (removesWhatIsBelow(items[index])) folder = &path;
    }
    std::vector<CleanItem> result;
    result.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!claims(items[i]) || kept[i]) result.push_back(std::move(items[i]));
    }
    return result;
}

}  // namespace zentrel::model
