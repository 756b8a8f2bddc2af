#include "scanners/MediaExtensions.hpp"

#include "platform/files/FileNames.hpp"

#include <algorithm>
#include <cctype>

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
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool isMediaExtension(std::string_view lowercasedExtension) {
    return imageExtensions().contains(lowercasedExtension) || videoExtensions().contains(lowercasedExtension);
}

}  // namespace zentrel::scanners
