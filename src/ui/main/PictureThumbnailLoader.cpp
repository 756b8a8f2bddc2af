#include "ui/main/PictureThumbnailLoader.hpp"

#include "scanners/PictureFile.hpp"

#include <QFile>
#include <QImageReader>

namespace zentrel::ui {
namespace {

// The file's picture at most `side` pixels on its longer side; null when it cannot be decoded.
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

}  // namespace

LoadedThumbnail loadPictureThumbnail(const std::string& picture, const std::string& thumbnailsFolder, int side) {
    auto choice = chooseThumbnailSource(picture, thumbnailsFolder);
    if (choice.source == ThumbnailSource::desktopCache) {
        if (auto image = decodeScaled(choice.file, side); !image.isNull()) return {choice.source, std::move(image)};
        choice = {ThumbnailSource::picture, picture};
    }
    if (choice.source == ThumbnailSource::picture) {
        if (auto image = decodeScaled(choice.file, side); !image.isNull()) return {choice.source, std::move(image)};
    }
    return {};
}

}  // namespace zentrel::ui
