#include "ui/presenters/PictureThumbnailSource.hpp"

#include "ui/presenters/DesktopThumbnailCache.hpp"

#include <sys/stat.h>

namespace zentrel::ui {

ThumbnailChoice chooseThumbnailSource(const std::string& picture, const std::string& thumbnailsFolder) {
    struct stat status {};
    if (::lstat(picture.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
    const ThumbnailChoice decode{ThumbnailSource::picture, picture};
    const auto uri = fileUri(picture);
    if (!uri || thumbnailsFolder.empty()) return decode;
    for (const auto& file : desktopThumbnailFiles(thumbnailsFolder, *uri)) {
        const auto texts = readDesktopThumbnailTexts(file);
        if (texts && describesPicture(*texts, *uri, status.st_mtim.tv_sec)) return {ThumbnailSource::desktopCache, file};
    }
    return decode;
}

}  // namespace zentrel::ui
