#include "scanners/HeifCanvas.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <span>
#include <vector>

namespace zentrel::scanners {

namespace {

using Bytes = std::span<const unsigned char>;

// A metadata box larger than this is refused: a phone's is a few kilobytes.
constexpr std::uint64_t kMostMetadataBytes = std::uint64_t{16} << 20;
// The most a grid's or an overlay's description takes before its canvas ends.
constexpr std::size_t kDerivedHeaderBytes = 20;

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

// Where an item's data lies: in the file, or in the metadata's own data box.
struct ItemLocation {
    std::uint64_t method = 0;  // 0 in the file, 1 in the data box, 2 in another item
    std::vector<std::pair<std::uint64_t, std::uint64_t>> extents;  // offset and length
};

struct Metadata {
    std::map<std::uint32_t, std::uint32_t> itemTypes;
    bool itemsClash = false;  // one item declared twice, as two types
    std::multimap<std::uint32_t, std::uint32_t> madeOf;  // a derived image and the items it is made of
    std::multimap<std::uint32_t, ItemLocation> locations;
    Bytes itemData;
    std::vector<HeifCanvas> sizes;
};

void readItemTypes(Bytes body, Metadata& metadata) {
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
        if (item.failed()) return;
        const auto [known, added] = metadata.itemTypes.emplace(id, itemType);
        if (!added && known->second != itemType) metadata.itemsClash = true;
    });
}

void readReferences(Bytes body, Metadata& metadata) {
    FieldReader fields(body);
    const auto idBytes = fields.read(1) == 0 ? 2 : 4;
    fields.skip(3);
    forEachBox(fields.rest(), [&](std::uint32_t type, Bytes reference) {
        if (type != fourCc("dimg")) return;
        FieldReader ids(reference);
        const auto from = static_cast<std::uint32_t>(ids.read(idBytes));
        const auto count = ids.read(2);
        for (std::uint64_t i = 0; i < count && !ids.failed(); ++i) {
            const auto to = static_cast<std::uint32_t>(ids.read(idBytes));
            if (!ids.failed()) metadata.madeOf.emplace(from, to);
        }
    });
}

// The item types libheif decodes as pictures; a derived image made of anything else aborts it.
bool isPictureItem(std::uint32_t type) {
    return type == fourCc("hvc1") || type == fourCc("av01") || type == fourCc("grid") || type == fourCc("iovl") ||
           type == fourCc("iden");
}

// False when the locations cannot be read.
bool readLocations(Bytes body, Metadata& metadata) {
    FieldReader fields(body);
    const auto version = fields.read(1);
    fields.skip(3);
    const auto sizes = fields.read(1), moreSizes = fields.read(1);
    const auto offsetSize = sizes >> 4, lengthSize = sizes & 15, baseOffsetSize = moreSizes >> 4;
    const auto indexSize = version == 1 || version == 2 ? moreSizes & 15 : 0;
    const auto count = fields.read(version < 2 ? 2 : 4);
    for (std::uint64_t i = 0; i < count && !fields.failed(); ++i) {
        const auto id = static_cast<std::uint32_t>(fields.read(version < 2 ? 2 : 4));
        const auto method = version == 1 || version == 2 ? fields.read(2) & 15 : 0;
        fields.skip(2);  // the data reference
        const auto baseOffset = fields.read(baseOffsetSize);
        const auto extents = fields.read(2);
        ItemLocation location{.method = method, .extents = {}};
        for (std::uint64_t e = 0; e < extents && !fields.failed(); ++e) {
            fields.skip(indexSize);
            const auto offset = fields.read(offsetSize), length = fields.read(lengthSize);
            location.extents.emplace_back(baseOffset + offset, length);
        }
        metadata.locations.emplace(id, std::move(location));
    }
    return !fields.failed();
}

void readSizes(Bytes properties, Metadata& metadata) {
    forEachBox(properties, [&](std::uint32_t type, Bytes body) {
        if (type != fourCc("ipco")) return;
        forEachBox(body, [&](std::uint32_t property, Bytes size) {
            FieldReader fields(size);
            fields.skip(4);
            const HeifCanvas canvas{fields.read(4), fields.read(4)};
            if (property == fourCc("ispe") && !fields.failed()) metadata.sizes.push_back(canvas);
        });
    });
}

bool readAt(PictureFile& file, std::uint64_t offset, std::span<unsigned char> into) {
    return offset <= file.sizeBytes() && into.size() <= file.sizeBytes() - offset &&
           ::fseeko(file.get(), static_cast<off_t>(offset), SEEK_SET) == 0 &&
           std::fread(into.data(), 1, into.size(), file.get()) == into.size();
}

// The first bytes of an item's data, across its extents; fewer when it holds fewer.
std::vector<unsigned char> leadingBytes(PictureFile& file, const Metadata& metadata, const ItemLocation& location) {
    std::vector<unsigned char> bytes;
    for (const auto& [offset, length] : location.extents) {
        const bool inMetadata = location.method == 1;
        const std::uint64_t room = inMetadata ? metadata.itemData.size() : file.sizeBytes();
        if (offset > room) break;
        // A length of nought reaches the end of the data.
        const auto available = length == 0 || length > room - offset ? room - offset : length;
        const auto wanted = std::min<std::uint64_t>(available, kDerivedHeaderBytes - bytes.size());
        const auto start = bytes.size();
        bytes.resize(start + wanted);
        const std::span<unsigned char> into(bytes.data() + start, wanted);
        if (inMetadata)
            std::copy_n(metadata.itemData.begin() + static_cast<std::ptrdiff_t>(offset), wanted, into.begin());
        else if (!readAt(file, offset, into))
            return {};
        if (bytes.size() == kDerivedHeaderBytes) break;
    }
    return bytes;
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

std::optional<std::vector<unsigned char>> readMetadataBox(PictureFile& file) {
    std::uint64_t at = 0;
    while (at < file.sizeBytes()) {
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
    Metadata metadata;
    bool locationsRead = true;
    if (!forEachBox(children, [&](std::uint32_t type, Bytes child) {
            if (type == fourCc("iinf")) readItemTypes(child, metadata);
            if (type == fourCc("iloc")) locationsRead = readLocations(child, metadata) && locationsRead;
            if (type == fourCc("iref")) readReferences(child, metadata);
            if (type == fourCc("idat")) metadata.itemData = child;
            if (type == fourCc("iprp")) readSizes(child, metadata);
        }) ||
        !locationsRead || metadata.itemsClash)
        return std::nullopt;
    for (const auto& [derived, part] : metadata.madeOf) {
        const auto type = metadata.itemTypes.find(part);
        if (type == metadata.itemTypes.end() || !isPictureItem(type->second)) return std::nullopt;
    }
    for (const auto& [id, type] : metadata.itemTypes) {
        if (type != fourCc("grid") && type != fourCc("iovl")) continue;
        const auto [first, last] = metadata.locations.equal_range(id);
        for (auto location = first; location != last; ++location) {
            // Data kept in another item cannot be followed here: its canvas stays unknown.
            if (location->second.method > 1) return std::nullopt;
            if (const auto canvas = derivedCanvas(type, leadingBytes(file, metadata, location->second)))
                metadata.sizes.push_back(*canvas);
        }
    }
    std::optional<HeifCanvas> largest;
    for (const auto& size : metadata.sizes)
        if (!largest || pixelsOf(size) > pixelsOf(*largest)) largest = size;
    return largest;
}

}  // namespace zentrel::scanners
