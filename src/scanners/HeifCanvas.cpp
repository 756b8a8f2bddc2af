#include "scanners/HeifCanvas.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <vector>

namespace zentrel::scanners {

namespace {

using Bytes = std::span<const unsigned char>;

// A metadata box larger than this is refused: a phone's takes a few kilobytes.
constexpr std::uint64_t kMostMetadataBytes = std::uint64_t{4} << 20;
// The most a grid's or an overlay's description takes before its canvas ends.
constexpr std::size_t kDerivedHeaderBytes = 20;
// The metadata box comes after the file type box, and seldom after more than a few others.
constexpr int kMostBoxesBeforeMetadata = 64;

constexpr std::uint32_t fourCc(const char (&code)[5]) {
    return std::uint32_t{static_cast<unsigned char>(code[0])} << 24 | std::uint32_t{static_cast<unsigned char>(code[1])} << 16 |
           std::uint32_t{static_cast<unsigned char>(code[2])} << 8 | std::uint32_t{static_cast<unsigned char>(code[3])};
}

// Big-endian fields read in order; a read past the end fails this read and every later one.
class FieldReader final {
public:
    explicit FieldReader(Bytes bytes) : bytes_(bytes) {}

    std::uint64_t read(std::size_t length) {
        if (failed_ || length > 8 || length > bytes_.size() - at_) {
            failed_ = true;
            return 0;
        }
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < length; ++i) value = value << 8 | bytes_[at_++];
        return value;
    }
    void skip(std::size_t length) {
        if (length > bytes_.size() - at_) failed_ = true;
        if (!failed_) at_ += length;
    }
    [[nodiscard]] bool failed() const { return failed_; }
    [[nodiscard]] Bytes rest() const { return failed_ ? Bytes{} : bytes_.subspan(at_); }

private:
    Bytes bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

// The size and type of a box, and where its body starts.
struct BoxHeader {
    std::uint32_t type = 0;
    std::uint64_t headerBytes = 0;
    std::uint64_t totalBytes = 0;
};

// A box's header from its first bytes, in a parent of `room` bytes; none when it runs past the parent.
std::optional<BoxHeader> parseHeader(Bytes first, std::uint64_t room) {
    FieldReader fields(first);
    BoxHeader header;
    header.totalBytes = fields.read(4);
    header.type = static_cast<std::uint32_t>(fields.read(4));
    header.headerBytes = 8;
    if (header.totalBytes == 1) {
        header.totalBytes = fields.read(8);
        header.headerBytes = 16;
    } else if (header.totalBytes == 0) {
        header.totalBytes = room;  // the box runs to the end of its parent
    }
    if (fields.failed() || header.totalBytes < header.headerBytes || header.totalBytes > room) return std::nullopt;
    return header;
}

// Calls `visit(type, body)` for each box in `bytes`; false when one runs past them.
template <typename Visit>
bool forEachBox(Bytes bytes, Visit&& visit) {
    while (!bytes.empty()) {
        const auto header = parseHeader(bytes, bytes.size());
        if (!header) return false;
        visit(header->type, bytes.subspan(header->headerBytes, header->totalBytes - header->headerBytes));
        bytes = bytes.subspan(header->totalBytes);
    }
    return true;
}

// The item types libheif decodes as pictures; a derived image made of anything else aborts it.
bool isPictureItem(std::uint32_t type) {
    return type == fourCc("hvc1") || type == fourCc("av01") || type == fourCc("grid") || type == fourCc("iovl") ||
           type == fourCc("iden");
}

bool readAt(PictureFile& file, std::uint64_t offset, std::span<unsigned char> into) {
    return offset <= file.sizeBytes() && into.size() <= file.sizeBytes() - offset &&
           ::fseeko(file.get(), static_cast<off_t>(offset), SEEK_SET) == 0 &&
           std::fread(into.data(), 1, into.size(), file.get()) == into.size();
}

// A grid's output size, or an overlay's canvas, from the start of its data.
std::optional<HeifCanvas> derivedCanvas(std::uint32_t type, Bytes data) {
    FieldReader fields(data);
    fields.skip(1);
    const auto flags = fields.read(1);
    fields.skip(type == fourCc("grid") ? 2 : 8);  // the rows and columns, or the fill colour
    const std::size_t sizeBytes = flags & 1 ? 4 : 2;
    const HeifCanvas canvas{fields.read(sizeBytes), fields.read(sizeBytes)};
    return fields.failed() ? std::nullopt : std::optional(canvas);
}

// Sides are read as 32 bits at most: their product fits.
std::uint64_t pixelsOf(const HeifCanvas& canvas) { return canvas.width * canvas.height; }

// What the metadata says of the file's items.
class Metadata final {
public:
    explicit Metadata(PictureFile& file) : file_(file) {}

    // The first pass: item types, sizes and the data box.
    void readFirst(std::uint32_t type, Bytes body) {
        if (type == fourCc("iinf")) readItemTypes(body);
        if (type == fourCc("idat")) itemData_ = body;
        if (type == fourCc("iprp")) readSizes(body);
    }
    // The second pass, once every item's type is known: what derived images are made of, and their canvases.
    void readSecond(std::uint32_t type, Bytes body) {
        if (type == fourCc("iref")) readReferences(body);
        if (type == fourCc("iloc")) readLocations(body);
    }
    void sortItems() {
        std::sort(items_.begin(), items_.end());
        for (std::size_t i = 1; i < items_.size(); ++i)
            unusable_ = unusable_ || (items_[i].first == items_[i - 1].first && items_[i].second != items_[i - 1].second);
    }
    [[nodiscard]] bool unusable() const { return unusable_; }
    [[nodiscard]] std::optional<HeifCanvas> largest() const { return largest_; }

private:
    std::optional<std::uint32_t> typeOf(std::uint32_t item) const {
        const auto found = std::lower_bound(items_.begin(), items_.end(), std::pair(item, std::uint32_t{0}));
        return found != items_.end() && found->first == item ? std::optional(found->second) : std::nullopt;
    }

    void consider(const HeifCanvas& canvas) {
        if (!largest_ || pixelsOf(canvas) > pixelsOf(*largest_)) largest_ = canvas;
    }

    void readItemTypes(Bytes body) {
        FieldReader fields(body);
        const auto version = fields.read(1);
        fields.skip(3);
        fields.skip(version == 0 ? 2 : 4);
        if (fields.failed()) return;
        forEachBox(fields.rest(), [&](std::uint32_t type, Bytes entry) {
            FieldReader item(entry);
            const auto entryVersion = item.read(1);
            item.skip(3);
            if (type != fourCc("infe") || entryVersion < 2) return;
            const auto id = static_cast<std::uint32_t>(item.read(entryVersion == 2 ? 2 : 4));
            item.skip(2);
            const auto itemType = static_cast<std::uint32_t>(item.read(4));
            if (!item.failed()) items_.emplace_back(id, itemType);
        });
    }

    void readSizes(Bytes properties) {
        forEachBox(properties, [&](std::uint32_t type, Bytes body) {
            if (type != fourCc("ipco")) return;
            forEachBox(body, [&](std::uint32_t property, Bytes size) {
                FieldReader fields(size);
                fields.skip(4);
                const HeifCanvas canvas{fields.read(4), fields.read(4)};
                if (property == fourCc("ispe") && !fields.failed()) consider(canvas);
            });
        });
    }

    void readReferences(Bytes body) {
        FieldReader fields(body);
        const auto idBytes = fields.read(1) == 0 ? 2 : 4;
        fields.skip(3);
        forEachBox(fields.rest(), [&](std::uint32_t type, Bytes reference) {
            if (type != fourCc("dimg")) return;
            FieldReader ids(reference);
            ids.skip(idBytes);
            const auto count = ids.read(2);
            for (std::uint64_t i = 0; i < count && !ids.failed(); ++i) {
                const auto part = typeOf(static_cast<std::uint32_t>(ids.read(idBytes)));
                if (!ids.failed() && (!part || !isPictureItem(*part))) unusable_ = true;
            }
        });
    }

    void readLocations(Bytes body) {
        FieldReader fields(body);
        const auto version = fields.read(1);
        fields.skip(3);
        const auto sizes = fields.read(1), moreSizes = fields.read(1);
        const auto offsetSize = sizes >> 4, lengthSize = sizes & 15, baseOffsetSize = moreSizes >> 4;
        const auto indexSize = version == 1 || version == 2 ? moreSizes & 15 : 0;
        // Fields take 0, 4 or 8 bytes: where they take others, libheif might read the locations otherwise.
        for (const auto size : {offsetSize, lengthSize, baseOffsetSize, indexSize})
            if (size != 0 && size != 4 && size != 8) unusable_ = true;
        const auto count = fields.read(version < 2 ? 2 : 4);
        for (std::uint64_t i = 0; i < count && !fields.failed() && !unusable_; ++i) {
            const auto type = typeOf(static_cast<std::uint32_t>(fields.read(version < 2 ? 2 : 4)));
            const auto method = version == 1 || version == 2 ? fields.read(2) & 15 : 0;
            fields.skip(2);  // the data reference
            const auto baseOffset = fields.read(baseOffsetSize);
            const auto extentCount = fields.read(2);
            // Only the first extents can hold a canvas: the rest are skipped whole.
            std::vector<std::pair<std::uint64_t, std::uint64_t>> extents;
            for (std::uint64_t e = 0; e < std::min<std::uint64_t>(extentCount, kDerivedHeaderBytes); ++e) {
                fields.skip(indexSize);
                const auto offset = fields.read(offsetSize);
                extents.emplace_back(baseOffset + offset, fields.read(lengthSize));
            }
            if (extentCount > kDerivedHeaderBytes)
                fields.skip((extentCount - kDerivedHeaderBytes) * (indexSize + offsetSize + lengthSize));
            if (fields.failed() || !type || (*type != fourCc("grid") && *type != fourCc("iovl"))) continue;
            // Data kept in another item cannot be followed here: its canvas stays unknown.
            if (method > 1) unusable_ = true;
            else if (const auto canvas = derivedCanvas(*type, leadingBytes(method == 1, extents))) consider(*canvas);
        }
        if (fields.failed()) unusable_ = true;
    }

    // The first bytes of an item's data, across its extents; fewer when it holds fewer.
    std::vector<unsigned char> leadingBytes(bool inMetadata,
                                            const std::vector<std::pair<std::uint64_t, std::uint64_t>>& extents) {
        std::vector<unsigned char> bytes;
        for (const auto& [offset, length] : extents) {
            const std::uint64_t room = inMetadata ? itemData_.size() : file_.sizeBytes();
            if (offset > room) break;
            // A length of nought reaches the end of the data.
            const auto available = length == 0 || length > room - offset ? room - offset : length;
            const auto wanted = std::min<std::uint64_t>(available, kDerivedHeaderBytes - bytes.size());
            const auto start = bytes.size();
            bytes.resize(start + wanted);
            const std::span<unsigned char> into(bytes.data() + start, wanted);
            if (inMetadata)
                std::copy_n(itemData_.begin() + static_cast<std::ptrdiff_t>(offset), wanted, into.begin());
            else if (!readAt(file_, offset, into))
                return {};
            if (bytes.size() == kDerivedHeaderBytes) break;
        }
        return bytes;
    }

    PictureFile& file_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> items_;  // item and type, sorted once read
    Bytes itemData_;
    std::optional<HeifCanvas> largest_;
    bool unusable_ = false;
};

std::optional<std::vector<unsigned char>> readMetadataBox(PictureFile& file) {
    std::uint64_t at = 0;
    for (int box = 0; box < kMostBoxesBeforeMetadata && at < file.sizeBytes(); ++box) {
        std::array<unsigned char, 16> first{};
        const auto room = file.sizeBytes() - at;
        const auto firstBytes = std::min<std::uint64_t>(first.size(), room);
        if (!readAt(file, at, std::span(first.data(), firstBytes))) return std::nullopt;
        const auto header = parseHeader(Bytes(first.data(), firstBytes), room);
        if (!header) return std::nullopt;
        if (header->type == fourCc("meta")) {
            if (header->totalBytes > kMostMetadataBytes) return std::nullopt;
            std::vector<unsigned char> body(header->totalBytes - header->headerBytes);
            if (!readAt(file, at + header->headerBytes, body)) return std::nullopt;
            return body;
        }
        at += header->totalBytes;
    }
    return std::nullopt;
}

}  // namespace

std::optional<HeifCanvas> largestHeifCanvas(PictureFile& file) {
    const auto body = readMetadataBox(file);
    if (!body || body->size() < 4) return std::nullopt;
    // The metadata box's children follow its version and flags.
    const Bytes children = Bytes(*body).subspan(4);
    Metadata metadata(file);
    if (!forEachBox(children, [&](std::uint32_t type, Bytes child) { metadata.readFirst(type, child); }))
        return std::nullopt;
    metadata.sortItems();
    forEachBox(children, [&](std::uint32_t type, Bytes child) { metadata.readSecond(type, child); });
    return metadata.unusable() ? std::nullopt : metadata.largest();
}

}  // namespace zentrel::scanners
