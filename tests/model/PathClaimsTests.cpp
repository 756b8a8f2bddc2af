#include "model/PathClaims.hpp"

#include <gtest/gtest.h>

namespace zentrel::model {
namespace {

CleanItem itemAt(std::string path, CategoryType category, DeletionMethod method = DeletionMethod::remove()) {
    CleanItem item;
    item.id = platform::Uuid::random();
    item.path = std::move(path);
    item.category = category;
    item.sizeBytes = 100;
    item.deletionMethod = std::move(method);
    return item;
}

TEST(PathClaimsTest, EachPathIsCountedByOneItem) {
    using C = CategoryType;
    struct Case {
        const char* name;
        std::vector<CleanItem> items;
        std::vector<std::pair<std::string, C>> kept;
    };
    auto keeper = itemAt("/h/Downloads/a.iso", C::duplicates);
    keeper.isDuplicateKeeper = true;
    const Case cases[] = {
        {"the tool keeps its cache",
         {itemAt("/h/.cache/pip", C::systemCaches), itemAt("/h/.cache/pip", C::devTools)},
         {{"/h/.cache/pip", C::devTools}}},
        {"a copy stays a duplicate rather than a large file",
         {itemAt("/h/Videos/a.mkv", C::largeFiles), itemAt("/h/Videos/a.mkv", C::duplicates)},
         {{"/h/Videos/a.mkv", C::duplicates}}},
        {"below a listed folder is counted by the folder, whichever comes first",
         {itemAt("/h/.cache/evolution/mail", C::appCaches), itemAt("/h/.cache/evolution", C::systemCaches),
          itemAt("/h/.cache/evolution-data", C::systemCaches)},
         {{"/h/.cache/evolution", C::systemCaches}, {"/h/.cache/evolution-data", C::systemCaches}}},
        {"a folder changed in place covers nothing",
         {itemAt("/h/.mozilla/cookies.sqlite", C::privacy,
                 DeletionMethod::clearTrackerCookies("/h/.mozilla/cookies.sqlite", {}, BrowserKind::firefox)),
          itemAt("/h/.mozilla/cookies.sqlite/x", C::largeFiles)},
         {{"/h/.mozilla/cookies.sqlite", C::privacy}, {"/h/.mozilla/cookies.sqlite/x", C::largeFiles}}},
        {"a keeper claims nothing", {keeper, itemAt("/h/Downloads/a.iso", C::trash)},
         {{"/h/Downloads/a.iso", C::duplicates}, {"/h/Downloads/a.iso", C::trash}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::pair<std::string, C>> kept;
        for (const auto& item : claimPaths(c.items)) kept.emplace_back(item.path, item.category);
        EXPECT_EQ(kept, c.kept);
    }
}

}  // namespace
}  // namespace zentrel::model
