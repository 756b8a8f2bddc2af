#include "ui/presenters/DesktopThumbnailCache.hpp"

#include "scanners/media/PictureFile.hpp"

#include <glib.h>
#include <png.h>

#include <charconv>
#include <memory>

namespace zentrel::ui {
namespace {

template <class T>
using GlibOwned = std::unique_ptr<T, decltype(&g_free)>;

[[noreturn]] void escapeOnError(png_structp reader, png_const_charp) { png_longjmp(reader, 1); }

void ignoreWarning(png_structp, png_const_charp) {}

// Reads the chunks before the pixels; false on any error. The texts belong
// to the caller, so the jump back from libpng skips no destructor.
bool readTextsInto(png_structp reader, png_infop info, std::FILE* file, DesktopThumbnailTexts& texts) {
    if (setjmp(png_jmpbuf(reader))) return false;
    png_init_io(reader, file);
    png_read_info(reader, info);
    png_textp entries = nullptr;
    const int count = png_get_text(reader, info, &entries, nullptr);
    for (int i = 0; i < count; ++i) {
        const std::string key = entries[i].key;
        std::string value(entries[i].text, entries[i].text_length > 0 ? entries[i].text_length : entries[i].itxt_length);
        if (key == "Thumb::URI") texts.uri = std::move(value);
        if (key == "Thumb::MTime") texts.modifiedAt = std::move(value);
    }
    return true;
}

}  // namespace

std::optional<std::string> fileUri(const std::string& absolutePath) {
    if (absolutePath.empty() || absolutePath.front() != '/') return std::nullopt;
    const GlibOwned<gchar> uri(g_filename_to_uri(absolutePath.c_str(), nullptr, nullptr), g_free);
    if (!uri) return std::nullopt;
    return std::string(uri.get());
}

std::string desktopThumbnailName(const std::string& uri) {
    const GlibOwned<gchar> digest(g_compute_checksum_for_string(G_CHECKSUM_MD5, uri.data(), static_cast<gssize>(uri.size())),
                                  g_free);
    return std::string(digest.get()) + ".png";
}

std::vector<std::string> desktopThumbnailFiles(const std::string& thumbnailsFolder, const std::string& uri) {
    const auto name = desktopThumbnailName(uri);
    return {thumbnailsFolder + "/normal/" + name, thumbnailsFolder + "/large/" + name};
}

std::optional<DesktopThumbnailTexts> readDesktopThumbnailTexts(const std::string& thumbnailFile) {
    static constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto file = scanners::PictureFile::open(thumbnailFile);
    if (!file || !file->startsWith(kPngSignature, sizeof kPngSignature)) return std::nullopt;
    png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, escapeOnError, ignoreWarning);
    if (!reader) return std::nullopt;
    png_infop info = png_create_info_struct(reader);
    DesktopThumbnailTexts texts;
    const bool read = info && readTextsInto(reader, info, file->get(), texts);
    png_destroy_read_struct(&reader, &info, nullptr);
    if (!read) return std::nullopt;
    return texts;
}

bool describesPicture(const DesktopThumbnailTexts& texts, const std::string& uri, std::int64_t modifiedAt) {
    if (texts.uri != uri || !texts.modifiedAt) return false;
    const auto& text = *texts.modifiedAt;
    std::int64_t written = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), written);
    return error == std::errc() && end == text.data() + text.size() && written == modifiedAt;
}

}  // namespace zentrel::ui
