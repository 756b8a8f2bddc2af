// The desktop thumbnail cache's names and the page's book of thumbnails.

#include "ui/presenters/DesktopThumbnailCache.hpp"
#include "ui/presenters/ThumbnailBook.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

TEST(DesktopThumbnailCacheTest, ThumbnailsAreNamedByTheMd5OfTheEscapedFileUri) {
    struct Case {
        std::string path, uri, name;
    };
    for (const auto& [path, uri, name] : std::vector<Case>{
             {"/home/jens/photos/me.png", "file:///home/jens/photos/me.png", "c6ee772d9e49320e97ec29a7eb5b1697.png"},
             {"/home/u/My Pictures/caf\u00e9#.png", "file:///home/u/My%20Pictures/caf%C3%A9%23.png",
              "c57c8457ad2d46afb78b70381fde2dd2.png"},
         }) {
        EXPECT_EQ(fileUri(path), uri);
        EXPECT_EQ(desktopThumbnailName(uri), name);
        EXPECT_EQ(desktopThumbnailFiles("/c/thumbnails", uri),
                  (std::vector<std::string>{"/c/thumbnails/normal/" + name, "/c/thumbnails/large/" + name}));
    }
    EXPECT_FALSE(fileUri("photos/me.png")) << "a relative path has no URI";
}

TEST(DesktopThumbnailCacheTest, AThumbnailDescribesThePictureOnlyWithItsUriAndExactModificationTime) {
    const std::string uri = "file:///p/a.jpg";
    EXPECT_TRUE(describesPicture({uri, "1714550400"}, uri, 1714550400));
    EXPECT_FALSE(describesPicture({uri, "1714550399"}, uri, 1714550400));
    EXPECT_FALSE(describesPicture({uri, "1714550400.5"}, uri, 1714550400));
    EXPECT_FALSE(describesPicture({uri, std::nullopt}, uri, 1714550400));
    EXPECT_FALSE(describesPicture({"file:///p/b.jpg", "1714550400"}, uri, 1714550400));
}

using Book = ThumbnailBook<int>;

TEST(ThumbnailBookTest, APictureAskedForTwiceIsDecodedOnceAndAnsweredToBoth) {
    Book book(8, 2);
    std::vector<std::optional<int>> answers;
    const auto record = [&](const std::optional<int>& image) { answers.push_back(image); };
    EXPECT_FALSE(book.request("a", record));
    EXPECT_FALSE(book.request("a", record));
    EXPECT_EQ(book.startable(), std::vector<std::string>{"a"});
    EXPECT_FALSE(book.request("a", record)) << "asked again while it decodes";
    EXPECT_TRUE(book.startable().empty());
    book.finish("a", 7);
    EXPECT_EQ(answers, (std::vector<std::optional<int>>{7, 7, 7}));
    EXPECT_TRUE(book.request("a", record)) << "kept";
    EXPECT_EQ(answers.back(), 7);
    EXPECT_TRUE(book.startable().empty());
}

TEST(ThumbnailBookTest, DecodesRunAFewAtATimeInTheOrderAskedFor) {
    Book book(8, 2);
    for (const char* path : {"a", "b", "c", "d"}) book.request(path, [](const auto&) {});
    EXPECT_EQ(book.startable(), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(book.startable().empty());
    book.finish("b", std::nullopt);
    EXPECT_EQ(book.startable(), std::vector<std::string>{"c"});
    EXPECT_EQ(book.runningCount(), 2u);
}

TEST(ThumbnailBookTest, KeepsTheMostRecentlyUsedUpToItsCapacityFailuresIncluded) {
    Book book(2, 4);
    for (const char* path : {"a", "b"}) book.request(path, [](const auto&) {});
    for (const auto& path : book.startable()) book.finish(path, path == "a" ? std::optional(1) : std::nullopt);
    std::optional<int> failed = 5;
    EXPECT_TRUE(book.request("b", [&](const auto& image) { failed = image; })) << "a failure is not tried again";
    EXPECT_EQ(failed, std::nullopt);
    EXPECT_TRUE(book.request("a", [](const auto&) {}));  // "a" is now the most recent
    book.request("c", [](const auto&) {});
    for (const auto& path : book.startable()) book.finish(path, 3);
    EXPECT_EQ(book.keptCount(), 2u);
    EXPECT_TRUE(book.request("a", [](const auto&) {}));
    EXPECT_FALSE(book.request("b", [](const auto&) {})) << "the least recently used went";
}

}  // namespace
}  // namespace zentrel::ui
