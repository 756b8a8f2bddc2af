#pragma once
// The file-name extensions the duplicate finder treats as pictures and
// videos. Media files go to the similar-media pass, every other file to the
// exact pass. Extensions are compared lower-cased, without the dot.

#include <string>
#include <string_view>
#include <unordered_set>

namespace zentrel::scanners {

using ExtensionSet = std::unordered_set<std::string_view>;

// "jpg", "jpeg", "png", "heic", "heif", "gif", "webp", "tiff", "tif", "bmp".
[[nodiscard]] const ExtensionSet& imageExtensions();
// "mov", "mp4", "m4v", "avi", "mkv", "webm".
[[nodiscard]] const ExtensionSet& videoExtensions();

// The extension of the last path component, lower-cased ("IMG.JPG" gives
// "jpg"); empty when the name has none or only begins with a dot.
[[nodiscard]] std::string lowercasedPathExtension(std::string_view path);

[[nodiscard]] bool isMediaExtension(std::string_view lowercasedExtension);

}  // namespace zentrel::scanners
