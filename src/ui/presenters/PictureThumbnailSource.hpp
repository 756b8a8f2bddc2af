#pragma once
// Where a picture's thumbnail comes from: the desktop's thumbnail cache when
// it holds a valid one, else the picture itself, decoded and scaled down.
// Only a regular file has a thumbnail: a link is not followed. Runs on a
// worker thread, as it reads the file system.

#include <string>

namespace zentrel::ui {

// The longest side of a thumbnail in pixels: enough for a row's icon on a
// screen of twice the usual density.
inline constexpr int kPictureThumbnailSide = 96;

enum class ThumbnailSource { desktopCache, picture, genericIcon };

struct ThumbnailChoice {
    ThumbnailSource source = ThumbnailSource::genericIcon;
    std::string file;  // the thumbnail or the picture to decode; empty for the generic icon

    bool operator==(const ThumbnailChoice&) const = default;
};

[[nodiscard]] ThumbnailChoice chooseThumbnailSource(const std::string& picture, const std::string& thumbnailsFolder);

}  // namespace zentrel::ui
