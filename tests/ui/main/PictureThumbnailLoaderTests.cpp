#include "ui/main/PictureThumbnailLoader.hpp"

#include "ui/presenters/DesktopThumbnailCache.hpp"

#include "doubles/TempDir.hpp"

#include <QImage>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

namespace zentrel::ui {
namespace {

namespace fs = std::filesystem;

enum class Picture { readable, undecodable, link };
enum class Cached { none, normal, largeOnly };

struct Case {
    const char* name;
    Picture picture;
    Cached cached;
    std::int64_t mtimeShift;  // how far the thumbnail's Thumb::MTime is off
    bool otherUri;            // the thumbnail names another file
    ThumbnailSource expected;
};

// A picture of one colour, saved as PNG; with `texts`, a desktop thumbnail.
void writePicture(const fs::path& path, QSize size, QColor colour, const std::map<QString, QString>& texts = {}) {
    fs::create_directories(path.parent_path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    for (const auto& [key, value] : texts) image.setText(key, value);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
}

TEST(PictureThumbnailLoaderTest, TheDesktopsThumbnailIsReadOnlyWhileItStillDescribesThePicture) {
    const std::vector<Case> cases{
        {"a valid normal thumbnail", Picture::readable, Cached::normal, 0, false, ThumbnailSource::desktopCache},
        {"a valid large one only", Picture::readable, Cached::largeOnly, 0, false, ThumbnailSource::desktopCache},
        {"a stale one", Picture::readable, Cached::normal, -60, false, ThumbnailSource::picture},
        {"one of another file", Picture::readable, Cached::normal, 0, true, ThumbnailSource::picture},
        {"none", Picture::readable, Cached::none, 0, false, ThumbnailSource::picture},
        {"an undecodable picture", Picture::undecodable, Cached::none, 0, false, ThumbnailSource::genericIcon},
        {"an undecodable picture the desktop could read", Picture::undecodable, Cached::normal, 0, false,
         ThumbnailSource::desktopCache},
        {"a link to a picture", Picture::link, Cached::normal, 0, false, ThumbnailSource::genericIcon},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        testing::TempDir dir;
        const auto path = dir / "Pictures/photo.png";
        if (row.picture == Picture::undecodable) {
            dir.write("Pictures/photo.png", "not a picture at all");
        } else {
            writePicture(row.picture == Picture::link ? dir / "Pictures/real.png" : path, {300, 200}, Qt::red);
            if (row.picture == Picture::link) fs::create_symlink(dir / "Pictures/real.png", path);
        }
        struct stat status {};
        ASSERT_EQ(::lstat(path.c_str(), &status), 0);
        const auto uri = *fileUri(path.string());
        if (row.cached != Cached::none) {
            const auto files = desktopThumbnailFiles((dir / "thumbnails").string(), uri);
            const auto mtime = std::to_string(status.st_mtim.tv_sec + row.mtimeShift);
            writePicture(files[row.cached == Cached::normal ? 0 : 1], {128, 85}, Qt::green,
                         {{"Thumb::URI", QString::fromStdString(row.otherUri ? uri + "x" : uri)},
                          {"Thumb::MTime", QString::fromStdString(mtime)}});
        }

        const auto loaded = loadPictureThumbnail(path.string(), (dir / "thumbnails").string());
        EXPECT_EQ(loaded.source, row.expected);
        if (row.expected == ThumbnailSource::genericIcon) {
            EXPECT_TRUE(loaded.image.isNull());
            continue;
        }
        ASSERT_FALSE(loaded.image.isNull());
        // The picture itself comes in the grey of the scan's readers: red's luma.
        EXPECT_EQ(loaded.image.pixelColor(10, 10),
                  row.expected == ThumbnailSource::desktopCache ? QColor(Qt::green) : QColor(76, 76, 76));
        EXPECT_EQ(loaded.image.width(), kPictureThumbnailSide);
        if (row.expected == ThumbnailSource::picture) {
            EXPECT_EQ(loaded.image.height(), kPictureThumbnailSide * 2 / 3);
        }
    }
}

// HEIC, TIFF, WebP and BMP rows had no thumbnail: every format the scan reads has one now.
TEST(PictureThumbnailLoaderTest, EveryFormatTheScanReadsHasAThumbnail) {
    testing::TempDir dir;
    const auto png = dir / "Pictures/photo.png";
    writePicture(png, {300, 200}, Qt::blue);
    for (const char* extension : {"jpg", "gif", "bmp", "tiff", "webp", "heic"}) {
        const auto path = dir / (std::string("Pictures/photo.") + extension);
        const auto command = "convert '" + png.string() + "' '" + path.string() + "' 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << extension;
        const auto loaded = loadPictureThumbnail(path.string(), (dir / "thumbnails").string());
        EXPECT_EQ(loaded.source, ThumbnailSource::picture) << extension;
        EXPECT_EQ(loaded.image.size(), QSize(kPictureThumbnailSide, kPictureThumbnailSide * 2 / 3)) << extension;
    }
}

}  // namespace
}  // namespace zentrel::ui
