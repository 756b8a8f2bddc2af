#pragma once
// Thumbnails of pictures for the rows of one page. Pictures are read and
// decoded on the workers, a few at a time, and the results come back to the
// window's thread, where the page keeps the most recent ones; the window's
// thread never reads a file for them.

#include "platform/concurrency/Executor.hpp"
#include "platform/concurrency/MainThreadCallbacks.hpp"
#include "ui/presenters/ThumbnailBook.hpp"

#include <QImage>

#include <functional>
#include <string>

namespace zentrel::ui {

struct ThumbnailServices {
    platform::Executor& workers;
    platform::MainQueue& main;
    // The desktop's thumbnail cache ($XDG_CACHE_HOME/thumbnails); empty: none is read.
    std::string thumbnailsFolder;
};

class PictureThumbnails final {
public:
    static constexpr std::size_t kKept = 256;
    static constexpr std::size_t kDecodingAtOnce = 2;

    explicit PictureThumbnails(ThumbnailServices services);
    PictureThumbnails(const PictureThumbnails&) = delete;
    PictureThumbnails& operator=(const PictureThumbnails&) = delete;

    // Calls `show` with the picture's thumbnail: at once when it is kept,
    // else on the window's thread once decoded; never for a picture that
    // cannot be decoded.
    void request(const std::string& picture, std::function<void(const QImage&)> show);

private:
    void startDecoding();

    ThumbnailServices services_;
    ThumbnailBook<QImage> book_{kKept, kDecodingAtOnce};
    platform::MainThreadCallbacks callbacks_;
};

}  // namespace zentrel::ui
