#include "ui/main/PictureThumbnailLoader.hpp"

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureReader.hpp"

#include <QFile>
#include <QImageReader>

namespace zentrel::ui {
namespace {

// The desktop's cached thumbnail (a PNG it wrote) at most `side` pixels on its longer side; null when it
// cannot be decoded.
QImage decodeScaled(const std::string& path, int side) {
    const auto file = scanners::PictureFile::open(path);
    if (!file) return {};
    QFile device;
    if (!device.open(file->get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) return {};
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    if (const auto size = reader.size(); size.width() > side || size.height() > side)
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio));
    auto image = reader.read();
    if (image.width() > side || image.height() > side)
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

// The picture through the scan's own readers, which check its declared size against the shared memory
// budget before decoding: a grey image of `side` pixels on its longer side, in the picture's proportions.
QImage readThroughScanReaders(const std::string& path, int side) {
    scanners::PictureGate gate;
    const auto picture = scanners::readPictureAtSide(path, gate, side);
    if (!picture || picture->width < 1 || picture->height < 1 || picture->image.width < 1 || picture->image.height < 1)
        return {};
    const auto& grey = picture->image;
    const QImage reduced(grey.pixels.data(), grey.width, grey.height, grey.width, QImage::Format_Grayscale8);
    const auto size = QSize(picture->width, picture->height).scaled(side, side, Qt::KeepAspectRatio);
    return reduced.scaled(size.expandedTo({1, 1}), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

LoadedThumbnail loadPictureThumbnail(const std::string& picture, const std::string& thumbnailsFolder, int side) {
    auto choice = chooseThumbnailSource(picture, thumbnailsFolder);
    if (choice.source == ThumbnailSource::desktopCache) {
        if (auto image = decodeScaled(choice.file, side); !image.isNull()) return {choice.source, std::move(image)};
        choice = {ThumbnailSource::picture, picture};
    }
    if (choice.source == ThumbnailSource::picture) {
        if (auto image = readThroughScanReaders(choice.file, side); !image.isNull()) return {choice.source, std::move(image)};
    }
    return {};
}

}  // namespace zentrel::ui
