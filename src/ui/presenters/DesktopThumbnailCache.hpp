#pragma once
// The thumbnails the desktop keeps for its file managers, under
// $XDG_CACHE_HOME/thumbnails: "normal" ones of up to 128 pixels and "large"
// ones of up to 256, each a PNG named by the MD5 of the picture's file URI.
// A thumbnail stands for the picture while its Thumb::URI text names the
// picture and its Thumb::MTime text is the picture's modification time.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

// The file URI of an absolute path, as the desktop writes it ("file:///a%20b.png");
// none for a relative path.
[[nodiscard]] std::optional<std::string> fileUri(const std::string& absolutePath);
// The cache's file name for a URI: its MD5 in lower-case hexadecimal and ".png".
[[nodiscard]] std::string desktopThumbnailName(const std::string& uri);
// The files that may hold a thumbnail of the URI, the smaller size first.
[[nodiscard]] std::vector<std::string> desktopThumbnailFiles(const std::string& thumbnailsFolder, const std::string& uri);

struct DesktopThumbnailTexts {
    std::optional<std::string> uri;
    std::optional<std::string> modifiedAt;  // seconds since 1970, as written
};

// The texts of a thumbnail file; none when it is no PNG this can read. The
// file is opened without following a link.
[[nodiscard]] std::optional<DesktopThumbnailTexts> readDesktopThumbnailTexts(const std::string& thumbnailFile);
// Whether a thumbnail's texts describe the picture at `uri` modified at `modifiedAt`.
[[nodiscard]] bool describesPicture(const DesktopThumbnailTexts& texts, const std::string& uri, std::int64_t modifiedAt);

}  // namespace zentrel::ui
