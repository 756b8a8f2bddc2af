#include "ui/main/PictureThumbnails.hpp"

#include "ui/main/PictureThumbnailLoader.hpp"

namespace zentrel::ui {

PictureThumbnails::PictureThumbnails(ThumbnailServices services)
    : services_(std::move(services)), callbacks_(services_.main) {}

void PictureThumbnails::request(const std::string& picture, std::function<void(const QImage&)> show) {
    const bool kept = book_.request(picture, [show = std::move(show)](const std::optional<QImage>& image) {
        if (image) show(*image);
    });
    if (!kept) startDecoding();
}

void PictureThumbnails::startDecoding() {
    for (const auto& picture : book_.startable()) {
        auto done = callbacks_.wrap([this, picture](const QImage& image) {
            book_.finish(picture, image.isNull() ? std::nullopt : std::optional(image));
            startDecoding();
        });
        services_.workers.submit([picture, folder = services_.thumbnailsFolder, done] {
            done(loadPictureThumbnail(picture, folder).image);
        });
    }
}

}  // namespace zentrel::ui
