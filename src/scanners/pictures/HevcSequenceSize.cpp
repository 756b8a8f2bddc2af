#include "scanners/pictures/HevcSequenceSize.hpp"

#include <algorithm>
#include <utility>
#include <vector>

namespace zentrel::scanners {

namespace {

constexpr unsigned kSequenceParameterSet = 33;
// The size comes within the first bytes of the set, however many sub-layers it describes.
constexpr std::size_t kMostBytesBeforeTheSize = 256;

// Bits of the set's payload, the bytes that keep start codes out of it removed.
class BitReader final {
public:
    explicit BitReader(std::span<const unsigned char> escaped) {
        int zeros = 0;
        for (const unsigned char byte : escaped.first(std::min(escaped.size(), kMostBytesBeforeTheSize))) {
            if (zeros >= 2 && byte == 3) {
                zeros = 0;
                continue;
            }
            zeros = byte == 0 ? zeros + 1 : 0;
            bytes_.push_back(byte);
        }
    }

    std::uint64_t bits(unsigned count) {
        std::uint64_t value = 0;
        for (unsigned i = 0; i < count; ++i) {
            if (at_ >= bytes_.size() * 8) {
                failed_ = true;
                return 0;
            }
            value = value << 1 | ((bytes_[at_ / 8] >> (7 - at_ % 8)) & 1);
            ++at_;
        }
        return value;
    }
    // An unsigned Exp-Golomb number.
    std::uint64_t number() {
        unsigned zeros = 0;
        while (!failed_ && bits(1) == 0)
            if (++zeros > 32) failed_ = true;
        return failed_ ? 0 : (std::uint64_t{1} << zeros) - 1 + bits(zeros);
    }
    [[nodiscard]] bool failed() const { return failed_; }

private:
    std::vector<unsigned char> bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

}  // namespace

bool isHevcSequenceParameterSet(std::span<const unsigned char> nal) {
    return !nal.empty() && (nal[0] >> 1 & 0x3F) == kSequenceParameterSet;
}

std::optional<HevcPictureSize> hevcSequenceSize(std::span<const unsigned char> nal) {
    if (!isHevcSequenceParameterSet(nal)) return std::nullopt;
    BitReader set(nal);
    set.bits(16);  // the unit's header
    set.bits(4);   // the video parameter set
    const auto subLayers = static_cast<unsigned>(set.bits(3));
    set.bits(1);
    // The profile, tier and level: the general part, then what each sub-layer has of it.
    set.bits(96);
    std::vector<std::pair<bool, bool>> present;
    for (unsigned i = 0; i < subLayers; ++i) {
        const bool profile = set.bits(1) != 0;
        present.emplace_back(profile, set.bits(1) != 0);
    }
    if (subLayers > 0) set.bits(2 * (8 - subLayers));
    for (const auto& [profile, level] : present) set.bits((profile ? 88 : 0) + (level ? 8 : 0));
    set.number();  // the set's own id
    HevcPictureSize size;
    size.chromaFormat = static_cast<unsigned>(std::min<std::uint64_t>(set.number(), 3));
    if (size.chromaFormat == 3) set.bits(1);  // chroma 4:4:4, planes maybe apart
    size.width = set.number();
    size.height = set.number();
    if (set.bits(1) != 0) {  // the conformance window's four offsets
        for (int i = 0; i < 4; ++i) set.number();
    }
    const auto lumaDepth = set.number(), chromaDepth = set.number();
    size.bitDepth = 8 + static_cast<unsigned>(std::min<std::uint64_t>(std::max(lumaDepth, chromaDepth), 8));
    // Sides past 32 bits are no picture any decoder takes.
    const bool sized = size.width <= UINT32_MAX && size.height <= UINT32_MAX;
    return set.failed() || !sized ? std::nullopt : std::optional(size);
}

std::uint64_t hevcPictureBytes(const HevcPictureSize& size) {
    // Samples per pixel, in halves: the luma plane and the two chroma planes at their subsampling.
    static constexpr std::uint64_t kHalfSamples[] = {2, 3, 4, 6};
    const std::uint64_t sampleBytes = size.bitDepth > 8 ? 2 : 1;
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(size.width * size.height, kHalfSamples[size.chromaFormat] * sampleBytes, &bytes))
        return UINT64_MAX;
    return bytes / 2;
}

}  // namespace zentrel::scanners
