#pragma once
// A picture's thumbnail, read where chooseThumbnailSource says: the desktop's
// cached thumbnail, or the picture decoded in grey at a reduced size through
// the scan's own readers and memory budget, for every format the scan reads. A cached thumbnail that fails to decode gives way
// to the picture. Files are opened without following a link. For a worker
// thread: it reads files and decodes.

#include "ui/presenters/PictureThumbnailSource.hpp"

#include <QImage>

#include <string>

namespace zentrel::ui {

struct LoadedThumbnail {
    ThumbnailSource source = ThumbnailSource::genericIcon;
    QImage image;  // null for the generic icon; at most `side` pixels on its longer side
};

[[nodiscard]] LoadedThumbnail loadPictureThumbnail(const std::string& picture, const std::string& thumbnailsFolder,
                                                   int side = kPictureThumbnailSide);

}  // namespace zentrel::ui
