#include "scanners/pictures/HeifCanvas.hpp"

#include "scanners/pictures/HeifItemData.hpp"
#include "scanners/pictures/HevcSequenceSize.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <utility>
#include <vector>

namespace zentrel::scanners {

namespace {

using Bytes = std::span<const unsigned char>;

// A metadata box larger than this is refused: a phone's takes a few kilobytes.
constexpr std::uint64_t kMostMetadataBytes = std::uint64_t{4} << 20;
// The most a grid's or an overlay's description takes before its canvas ends.
constexpr std::size_t kDerivedHeaderBytes = 20;
// Real pictures keep an item in one extent and a coded image in a few units (a slice a row at most).
constexpr std::size_t kMostExtents = 64;
constexpr int kMostCodedUnits = 1024;
// Enough of a sequence parameter set to hold its size.
constexpr std::uint64_t kMostSequenceHeaderBytes = 256;
// A picture file holds a file type, a metadata and a data box, and seldom more than a few others.
constexpr int kMostTopLevelBoxes = 64;

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
    return type == fourCc("hvc1") || type == fourCc("grid") || type == fourCc("iovl") || type == fourCc("iden");
}

// Whether an HEVC unit (from its two-byte header) is the first slice of a picture.
bool isPictureUnit(Bytes unit) {
    constexpr unsigned kFirstParameterSet = 32;  // units before it carry slices
    return unit.size() >= 3 && (unit[0] >> 1 & 0x3F) < kFirstParameterSet && (unit[2] & 0x80) != 0;
}

// A grid's output size, or an overlay's canvas, from the start of its data.
std::optional<HeifCanvas> derivedCanvas(std::uint32_t type, const HeifItemData& data) {
    std::array<unsigned char, kDerivedHeaderBytes> start{};
    FieldReader fields(Bytes(start.data(), data.read(0, start)));
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
        // libheif reads the first data box; a later one is not what it decodes.
        if (type == fourCc("idat") && !itemDataFound_) {
            itemData_ = body;
            itemDataFound_ = true;
        }
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
        // The AV1 decoders' memory cannot be told from here: such pictures are left unread.
        for (const auto& [item, type] : items_) unusable_ = unusable_ || type == fourCc("av01");
    }
    [[nodiscard]] bool unusable() const { return unusable_; }
    [[nodiscard]] std::optional<HeifCanvas> largest() const {
        if (!sized_) return std::nullopt;
        return HeifCanvas{largest_.width, largest_.height, codedPictureBytes_};
    }

private:
    std::optional<std::uint32_t> typeOf(std::uint32_t item) const {
        const auto found = std::lower_bound(items_.begin(), items_.end(), std::pair(item, std::uint32_t{0}));
        return found != items_.end() && found->first == item ? std::optional(found->second) : std::nullopt;
    }

    void consider(const HeifCanvas& canvas) {
        if (!sized_ || pixelsOf(canvas) > pixelsOf(largest_)) largest_ = canvas;
        sized_ = true;
    }

    // Boxes that run past their parent, or end before their fields, are read otherwise by libheif, if at all:
    // such files are left unread.
    template <typename Visit>
    void readBoxes(Bytes bytes, Visit&& visit) {
        if (!forEachBox(bytes, std::forward<Visit>(visit))) unusable_ = true;
    }
    void check(const FieldReader& fields) {
        if (fields.failed()) unusable_ = true;
    }

    void readItemTypes(Bytes body) {
        FieldReader fields(body);
        const auto version = fields.read(1);
        fields.skip(3);
        fields.skip(version == 0 ? 2 : 4);
        check(fields);
        readBoxes(fields.rest(), [&](std::uint32_t type, Bytes entry) {
            FieldReader item(entry);
            const auto entryVersion = item.read(1);
            item.skip(3);
            if (type != fourCc("infe") || entryVersion < 2) return;
            const auto id = static_cast<std::uint32_t>(item.read(entryVersion == 2 ? 2 : 4));
            item.skip(2);
            const auto itemType = static_cast<std::uint32_t>(item.read(4));
            check(item);
            if (!item.failed()) items_.emplace_back(id, itemType);
        });
    }

    void readSizes(Bytes properties) {
        readBoxes(properties, [&](std::uint32_t type, Bytes body) {
            if (type != fourCc("ipco")) return;
            readBoxes(body, [&](std::uint32_t property, Bytes size) {
                if (property == fourCc("hvcC")) readConfiguredSizes(size);
                if (property != fourCc("ispe")) return;
                FieldReader fields(size);
                fields.skip(4);
                const HeifCanvas canvas{fields.read(4), fields.read(4)};
                check(fields);
                consider(canvas);
            });
        });
    }

    // The parameter sets a coded image's configuration holds.
    void readConfiguredSizes(Bytes configuration) {
        FieldReader fields(configuration);
        fields.skip(22);
        const auto arrays = fields.read(1);
        for (std::uint64_t i = 0; i < arrays && !fields.failed(); ++i) {
            fields.skip(1);
            const auto units = fields.read(2);
            for (std::uint64_t u = 0; u < units && !fields.failed(); ++u) {
                const auto length = fields.read(2);
                const Bytes unit = fields.rest().first(std::min<std::uint64_t>(length, fields.rest().size()));
                fields.skip(length);
                if (!fields.failed() && isHevcSequenceParameterSet(unit)) considerCoded(unit);
                // libheif puts the configuration's units before the item's data: a picture there is one more.
                if (!fields.failed() && isPictureUnit(unit)) unusable_ = true;
            }
        }
        check(fields);
    }

    void readReferences(Bytes body) {
        FieldReader fields(body);
        const auto idBytes = fields.read(1) == 0 ? 2 : 4;
        fields.skip(3);
        check(fields);
        readBoxes(fields.rest(), [&](std::uint32_t type, Bytes reference) {
            if (type != fourCc("dimg")) return;
            FieldReader ids(reference);
            ids.skip(idBytes);
            const auto count = ids.read(2);
            for (std::uint64_t i = 0; i < count && !ids.failed(); ++i) {
                const auto part = typeOf(static_cast<std::uint32_t>(ids.read(idBytes)));
                if (!ids.failed() && (!part || !isPictureItem(*part))) unusable_ = true;
            }
            check(ids);
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
            // Past the most extents followed, the rest are skipped whole.
            HeifItemData::Extents extents;
            for (std::uint64_t e = 0; e < std::min<std::uint64_t>(extentCount, kMostExtents + 1); ++e) {
                fields.skip(indexSize);
                const auto offset = fields.read(offsetSize);
                extents.emplace_back(baseOffset + offset, fields.read(lengthSize));
            }
            if (extentCount > kMostExtents + 1)
                fields.skip((extentCount - kMostExtents - 1) * (indexSize + offsetSize + lengthSize));
            if (fields.failed() || !type || (*type != fourCc("grid") && *type != fourCc("iovl") && *type != fourCc("hvc1")))
                continue;
            // Data kept in another item cannot be followed here: its size stays unknown.
            if (method > 1 || extents.size() > kMostExtents) {
                unusable_ = true;
                continue;
            }
            const HeifItemData data(file_, itemData_, method == 1, std::move(extents));
            if (*type == fourCc("hvc1")) readCodedSizes(data);
            else if (const auto canvas = derivedCanvas(*type, data)) consider(*canvas);
        }
        if (fields.failed()) unusable_ = true;
    }

    // The sizes of the sequence parameter sets among the coded units, and the pictures they start;
    // libheif reads each unit with a 4-byte length.
    void readCodedSizes(const HeifItemData& data) {
        std::uint64_t at = 0;
        int pictures = 0;
        for (int unit = 0; at + 4 <= data.size(); ++unit) {
            if (unit == kMostCodedUnits) {
                unusable_ = true;
                return;
            }
            std::array<unsigned char, 7> lengthAndHeader{};
            const auto read = data.read(at, lengthAndHeader);
            if (read < 4) return;
            const auto bytes = FieldReader(lengthAndHeader).read(4);
            const auto start = Bytes(lengthAndHeader).subspan(4, std::min<std::uint64_t>(read - 4, bytes));
            // The decoder decodes every picture of the item and keeps what they refer to: one is taken.
            if (isPictureUnit(start) && ++pictures > 1) {
                unusable_ = true;
                return;
            }
            if (bytes > 0 && isHevcSequenceParameterSet(start)) {
                std::vector<unsigned char> set(std::min<std::uint64_t>(bytes, kMostSequenceHeaderBytes));
                set.resize(data.read(at + 4, set));
                considerCoded(set);
            }
            at += 4 + bytes;
        }
    }

    void considerCoded(Bytes sequenceParameterSet) {
        const auto size = hevcSequenceSize(sequenceParameterSet);
        // A set that ends before its size might still be read by the decoder: the size is unknown.
        if (!size) {
            unusable_ = true;
            return;
        }
        consider({size->width, size->height});
        codedPictureBytes_ = std::max(codedPictureBytes_, hevcPictureBytes(*size));
    }

    PictureFile& file_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> items_;  // item and type, sorted once read
    Bytes itemData_;
    bool itemDataFound_ = false;
    HeifCanvas largest_;
    bool sized_ = false;
    std::uint64_t codedPictureBytes_ = 0;
    bool unusable_ = false;
};

// The body of the file's one metadata box. libheif takes the last of several: a file with more is refused,
// as is one of more top-level boxes than are walked, since one past them might be another.
std::optional<std::vector<unsigned char>> readMetadataBox(PictureFile& file) {
    std::uint64_t at = 0;
    std::optional<std::pair<std::uint64_t, BoxHeader>> metadata;
    for (int box = 0; at < file.sizeBytes(); ++box) {
        if (box == kMostTopLevelBoxes) return std::nullopt;
        std::array<unsigned char, 16> first{};
        const auto room = file.sizeBytes() - at;
        const auto firstBytes = std::min<std::uint64_t>(first.size(), room);
        if (!file.readAt(at, std::span(first.data(), firstBytes))) return std::nullopt;
        const auto header = parseHeader(Bytes(first.data(), firstBytes), room);
        // libheif too ends its walk at a box it cannot read.
        if (!header) break;
        if (header->type == fourCc("meta")) {
            if (metadata) return std::nullopt;
            metadata.emplace(at, *header);
        }
        at += header->totalBytes;
    }
    if (!metadata || metadata->second.totalBytes > kMostMetadataBytes) return std::nullopt;
    const auto& [start, header] = *metadata;
    std::vector<unsigned char> body(header.totalBytes - header.headerBytes);
    if (!file.readAt(start + header.headerBytes, body)) return std::nullopt;
    return body;
}

}  // namespace

std::optional<HeifCanvas> largestHeifCanvas(PictureFile& file) {
    const auto body = readMetadataBox(file);
    if (!body || body->size() < 4) return std::nullopt;
    // The metadata box's children follow its version and flags.
    const Bytes children = Bytes(*body).subspan(4);
    Metadata metadata(file);
    if (!forEachBox(children, [&](std::uint32_t type, Bytes child) { metadata.readFirst(type, child); }))
        return std::nullopt;  // the second pass reads the same boxes
    metadata.sortItems();
    forEachBox(children, [&](std::uint32_t type, Bytes child) { metadata.readSecond(type, child); });
    return metadata.unusable() ? std::nullopt : metadata.largest();
}

}  // namespace zentrel::scanners
