#include "scanners/pictures/JpegEighthScaleDecoder.hpp"

#include "scanners/pictures/JpegEntropyReader.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace zentrel::scanners {

namespace {

using jpeg::AcTable;
using jpeg::ByteSource;
using jpeg::DcTable;
using jpeg::EntropyReader;
using jpeg::HuffmanSpec;

enum Marker : int {
    kBaselineFrame = 0xC0,
    kExtendedFrame = 0xC1,
    kHuffmanTables = 0xC4,
    kFirstRestart = 0xD0,
    kStartOfImage = 0xD8,
    kEndOfImage = 0xD9,
    kStartOfScan = 0xDA,
    kQuantTables = 0xDB,
    kRestartInterval = 0xDD,
    kJfif = 0xE0,
    kAdobe = 0xEE,
    kLastApplication = 0xEF,
    kComment = 0xFE,
};

// The library refuses pictures with a longer side.
constexpr int kLongestSide = 65500;
// The most blocks one MCU may have, as the library allows.
constexpr int kMostBlocksInMcu = 10;
struct Component {
    int id = 0;
    int horizontal = 1;
    int vertical = 1;
    int quantTable = 0;
    int dcTable = 0;
    int acTable = 0;
};

// The library's pixel for a DC coefficient: the 1 x 1 inverse transform and its range limit.
std::uint8_t pixelOf(int coefficient, int quant) {
    const int value = (static_cast<std::int16_t>(coefficient) * quant + 4) >> 3;
    const int index = value & 1023;
    if (index < 128) return static_cast<std::uint8_t>(index + 128);
    if (index < 512) return 255;
    if (index < 896) return 0;
    return static_cast<std::uint8_t>(index - 896);
}

class Decoder {
public:
    explicit Decoder(std::FILE* file) : source_(file), entropy_(source_) {}

    std::optional<DecodedPicture> decode(int minimumSide) {
        if (source_.next() != 0xFF || source_.next() != kStartOfImage) return std::nullopt;
        for (;;) {
            const int marker = nextMarker();
            if (marker < 0) return std::nullopt;
            if (marker == kStartOfScan) return scan(minimumSide);
            if (!segment(marker)) return std::nullopt;
        }
    }

private:
    int nextMarker() {
        if (source_.next() != 0xFF) return -1;
        int marker = source_.next();
        while (marker == 0xFF) marker = source_.next();
        return marker;
    }

    // Reads one marker segment before the scan into `body_`; false for what is not read here.
    bool segment(int marker) {
        std::uint8_t length[2];
        if (!source_.read(length, 2)) return false;
        const int size = (length[0] << 8 | length[1]) - 2;
        if (size < 0) return false;
        const bool skipped = (marker >= kJfif && marker <= kLastApplication && marker != kJfif) || marker == kComment;
        if (marker == kAdobe) sawAdobe_ = true;
        if (skipped) return source_.skip(static_cast<std::size_t>(size));
        body_.resize(static_cast<std::size_t>(size));
        if (!source_.read(body_.data(), body_.size())) return false;
        switch (marker) {
        case kJfif:
            sawJfif_ = sawJfif_ || (size >= 14 && std::memcmp(body_.data(), "JFIF", 5) == 0);
            return true;
        case kQuantTables: return quantTables();
        case kHuffmanTables: return huffmanTables();
        case kRestartInterval:
            if (size != 2) return false;
            restartInterval_ = body_[0] << 8 | body_[1];
            return true;
        case kBaselineFrame:
        case kExtendedFrame: return frame();
        default: return false;
        }
    }

    bool quantTables() {
        for (std::size_t at = 0; at < body_.size();) {
            const int precision = body_[at] >> 4, table = body_[at] & 15;
            const std::size_t bytes = 1 + 64 * static_cast<std::size_t>(precision + 1);
            if (precision > 1 || table > 3 || at + bytes > body_.size()) return false;
            // The first value, in either order, belongs to the DC coefficient.
            dcQuant_[table] = precision ? body_[at + 1] << 8 | body_[at + 2] : body_[at + 1];
            quantDefined_[table] = true;
            at += bytes;
        }
        return true;
    }

    bool huffmanTables() {
        for (std::size_t at = 0; at < body_.size();) {
            if (at + 17 > body_.size()) return false;
            const int kind = body_[at] >> 4, table = body_[at] & 15;
            if (kind > 1 || table > 3) return false;
            auto& spec = (kind == 0 ? dcSpecs_ : acSpecs_)[table];
            std::size_t total = 0;
            for (int i = 0; i < 16; ++i) total += spec.counts[i] = body_[at + 1 + i];
            if (total > 256 || at + 17 + total > body_.size()) return false;
            spec.symbols.fill(0);
            std::copy_n(body_.begin() + static_cast<std::ptrdiff_t>(at + 17), total, spec.symbols.begin());
            spec.defined = true;
            at += 17 + total;
        }
        return true;
    }

    bool frame() {
        if (components_.size() > 0 || body_.size() < 6 || body_[0] != 8) return false;
        height_ = body_[1] << 8 | body_[2];
        width_ = body_[3] << 8 | body_[4];
        const int count = body_[5];
        if (width_ < 1 || height_ < 1 || width_ > kLongestSide || height_ > kLongestSide ||
            (count != 1 && count != 3) || body_.size() != 6 + 3 * static_cast<std::size_t>(count)) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* at = body_.data() + 6 + 3 * i;
            Component component{at[0], at[1] >> 4, at[1] & 15, at[2]};
            if (component.horizontal < 1 || component.horizontal > 4 || component.vertical < 1 ||
                component.vertical > 4 || component.quantTable > 3) {
                return false;
            }
            for (const auto& earlier : components_)
                if (earlier.id == component.id) return false;
            components_.push_back(component);
        }
        return true;
    }

    // Checks the scan header; false for any scan but one sequential scan of every component.
    bool scanHeader() {
        std::uint8_t length[2];
        if (components_.empty() || !source_.read(length, 2)) return false;
        body_.resize(static_cast<std::size_t>(std::max(0, (length[0] << 8 | length[1]) - 2)));
        if (!source_.read(body_.data(), body_.size())) return false;
        const std::size_t count = components_.size();
        if (body_.size() != 4 + 2 * count || body_[0] != count) return false;
        for (std::size_t i = 0; i < count; ++i) {
            auto& component = components_[i];
            if (body_[1 + 2 * i] != component.id) return false;
            component.dcTable = body_[2 + 2 * i] >> 4;
            component.acTable = body_[2 + 2 * i] & 15;
            if (component.dcTable > 3 || component.acTable > 3 || !dcSpecs_[component.dcTable].defined ||
                !acSpecs_[component.acTable].defined || !quantDefined_[component.quantTable]) {
                return false;
            }
        }
        const std::uint8_t* spectral = body_.data() + 1 + 2 * count;
        return spectral[0] == 0 && spectral[1] == 63 && spectral[2] == 0;
    }

    // Whether the grey the library gives is the first component's samples as they are.
    bool greyIsFirstComponent() const {
        if (components_.size() == 1) return true;
        // Three components are YCbCr unless an Adobe marker or R, G, B identifiers say otherwise.
        if (sawAdobe_) return false;
        if (!sawJfif_ && components_[0].id == 'R' && components_[1].id == 'G' && components_[2].id == 'B') return false;
        int widest = 1, tallest = 1;
        for (const auto& component : components_) {
            widest = std::max(widest, component.horizontal);
            tallest = std::max(tallest, component.vertical);
        }
        for (const auto& component : components_)
            if (widest % component.horizontal != 0 || tallest % component.vertical != 0) return false;
        return components_[0].horizontal == widest && components_[0].vertical == tallest;
    }

    std::optional<DecodedPicture> scan(int minimumSide) {
        const int outWidth = (width_ + 7) / 8, outHeight = (height_ + 7) / 8;
        if (!scanHeader() || !greyIsFirstComponent() || outWidth < minimumSide || outHeight < minimumSide) {
            return std::nullopt;
        }
        // A 16-bit quantizer the library would take as negative is left to it.
        const int quant = dcQuant_[components_[0].quantTable];
        if (quant > 32767) return std::nullopt;

        // The blocks of one MCU, in order: which component, and where in the MCU.
        struct Block {
            int component, column, row;
        };
        std::vector<Block> blocks;
        int mcuColumns = outWidth, mcuRows = outHeight, mcuWidth = 1, mcuHeight = 1;
        if (components_.size() > 1) {
            mcuWidth = components_[0].horizontal;
            mcuHeight = components_[0].vertical;
            mcuColumns = (width_ + 8 * mcuWidth - 1) / (8 * mcuWidth);
            mcuRows = (height_ + 8 * mcuHeight - 1) / (8 * mcuHeight);
            for (std::size_t c = 0; c < components_.size(); ++c)
                for (int row = 0; row < components_[c].vertical; ++row)
                    for (int column = 0; column < components_[c].horizontal; ++column)
                        blocks.push_back({static_cast<int>(c), column, row});
        } else {
            blocks.push_back({0, 0, 0});
        }
        if (blocks.size() > static_cast<std::size_t>(kMostBlocksInMcu)) return std::nullopt;

        std::array<std::shared_ptr<const DcTable>, 4> dcTables;
        std::array<std::shared_ptr<const AcTable>, 4> acTables;
        for (const auto& component : components_) {
            auto& dc = dcTables[component.dcTable];
            auto& ac = acTables[component.acTable];
            if (!dc && !(dc = jpeg::builtDcTable(dcSpecs_[component.dcTable]))) return std::nullopt;
            if (!ac && !(ac = jpeg::builtAcTable(acSpecs_[component.acTable]))) return std::nullopt;
        }
        struct BlockTables {
            const DcTable* dc;
            const AcTable* ac;
            int component;
            int column, row;
        };
        std::array<BlockTables, kMostBlocksInMcu> mcu{};
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            const auto& component = components_[static_cast<std::size_t>(blocks[b].component)];
            mcu[b] = {dcTables[component.dcTable].get(), acTables[component.acTable].get(), blocks[b].component,
                      blocks[b].column, blocks[b].row};
        }

        DecodedPicture picture;
        picture.width = width_;
        picture.height = height_;
        auto& image = picture.image;
        image.width = outWidth;
        image.height = outHeight;
        image.pixels.resize(static_cast<std::size_t>(outWidth) * static_cast<std::size_t>(outHeight));

        std::array<int, 3> predictions{};
        int untilRestart = restartInterval_, restarts = 0;
        for (int mcuRow = 0; mcuRow < mcuRows; ++mcuRow) {
            for (int mcuColumn = 0; mcuColumn < mcuColumns; ++mcuColumn) {
                if (restartInterval_ != 0) {
                    if (untilRestart == 0) {
                        if (entropy_.finishSegment() != kFirstRestart + restarts) return std::nullopt;
                        restarts = (restarts + 1) & 7;
                        entropy_.startSegment();
                        predictions = {};
                        untilRestart = restartInterval_;
                    }
                    --untilRestart;
                }
                if (!entropy_.prepare()) return std::nullopt;
                for (std::size_t b = 0; b < blocks.size(); ++b) {
                    const auto& block = mcu[b];
                    const auto difference = entropy_.block(*block.dc, *block.ac);
                    if (!difference) return std::nullopt;
                    if (block.component != 0) continue;
                    // The sum wraps as the library's does on damaged data.
                    predictions[0] = static_cast<int>(static_cast<unsigned>(predictions[0]) +
                                                      static_cast<unsigned>(*difference));
                    const int x = mcuColumn * mcuWidth + block.column, y = mcuRow * mcuHeight + block.row;
                    if (x < outWidth && y < outHeight)
                        image.pixels[static_cast<std::size_t>(y) * outWidth + x] = pixelOf(predictions[0], quant);
                }
                if (!entropy_.withinSegment()) return std::nullopt;
            }
        }
        if (entropy_.finishSegment() != kEndOfImage) return std::nullopt;
        return picture;
    }

    ByteSource source_;
    EntropyReader entropy_;
    std::vector<std::uint8_t> body_;
    std::array<int, 4> dcQuant_{};
    std::array<bool, 4> quantDefined_{};
    std::array<HuffmanSpec, 4> dcSpecs_;
    std::array<HuffmanSpec, 4> acSpecs_;
    std::vector<Component> components_;
    int width_ = 0;
    int height_ = 0;
    int restartInterval_ = 0;
    bool sawJfif_ = false;
    bool sawAdobe_ = false;
};

}  // namespace

std::optional<DecodedPicture> decodeJpegAtEighthScale(std::FILE* file, int minimumSide) {
    return std::make_unique<Decoder>(file)->decode(minimumSide);
}

}  // namespace zentrel::scanners
