#include "scanners/media/MediaExtensions.hpp"

#include "platform/files/FileNames.hpp"
#include "platform/text/AsciiCase.hpp"

#include <algorithm>

namespace zentrel::scanners {

const ExtensionSet& imageExtensions() {
    static const ExtensionSet extensions{"jpg", "jpeg", "png", "heic", "heif", "gif", "webp", "tiff", "tif", "bmp"};
    return extensions;
}

const ExtensionSet& videoExtensions() {
    static const ExtensionSet extensions{"mov", "mp4", "m4v", "avi", "mkv", "webm"};
    return extensions;
}

std::string lowercasedPathExtension(std::string_view path) {
    auto name = platform::lastPathComponent(path);
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    return platform::asciiLowercased(name.substr(dot + 1));
}

bool isMediaExtension(std::string_view lowercasedExtension) {
    return imageExtensions().contains(lowercasedExtension) || videoExtensions().contains(lowercasedExtension);
}

}  // namespace zentrel::scanners
