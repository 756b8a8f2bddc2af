// The coded size of an HEVC sequence parameter set, past the sub-layers'
// profiles and the bytes that keep start codes out of the payload.

#include "scanners/pictures/HevcSequenceSize.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrel::scanners {
namespace {

// Writes fields bit by bit, then escapes the payload as an encoder does.
class SetWriter {
public:
    void bits(std::uint64_t value, unsigned count) {
        for (unsigned i = count; i-- > 0;) bits_.push_back(i < 64 && (value >> i & 1) != 0);
    }
    void number(std::uint64_t value) {
        const auto coded = value + 1;
        const unsigned length = 64 - static_cast<unsigned>(__builtin_clzll(coded));
        bits(0, length - 1);
        bits(coded, length);
    }
    std::vector<unsigned char> escaped() const {
        std::vector<unsigned char> raw((bits_.size() + 7) / 8);
        for (std::size_t i = 0; i < bits_.size(); ++i) raw[i / 8] |= static_cast<unsigned char>(bits_[i] << (7 - i % 8));
        std::vector<unsigned char> out;
        int zeros = 0;
        for (const unsigned char byte : raw) {
            if (zeros >= 2 && byte <= 3) {
                out.push_back(3);
                zeros = 0;
            }
            out.push_back(byte);
            zeros = byte == 0 ? zeros + 1 : 0;
        }
        return out;
    }

private:
    std::vector<bool> bits_;
};

std::vector<unsigned char> sequenceSet(unsigned subLayers, std::uint64_t width, std::uint64_t height,
                                       unsigned chroma = 3, unsigned bitDepth = 8, bool window = false) {
    SetWriter set;
    set.bits(33 << 9 | 1, 16);  // the unit's header
    set.bits(0, 4);
    set.bits(subLayers, 3);
    set.bits(1, 1);
    set.bits(0, 96);  // a general profile of nought bits: a run the payload must escape
    for (unsigned i = 0; i < subLayers; ++i) set.bits(0b11, 2);
    if (subLayers > 0) set.bits(0, 2 * (8 - subLayers));
    for (unsigned i = 0; i < subLayers; ++i) set.bits(0, 96);
    set.number(0);
    set.number(chroma);
    if (chroma == 3) set.bits(0, 1);
    set.number(width);
    set.number(height);
    set.bits(window ? 1 : 0, 1);
    if (window)
        for (int i = 0; i < 4; ++i) set.number(2);
    set.number(bitDepth - 8);
    set.number(bitDepth - 8);
    set.bits(1, 1);
    return set.escaped();
}

TEST(HevcSequenceSizeTest, TheCodedSizeIsReadPastWhatComesBeforeIt) {
    struct Case {
        const char* name;
        std::vector<unsigned char> unit;
        std::optional<std::pair<std::uint64_t, std::uint64_t>> size;
    };
    auto cut = sequenceSet(0, 640, 480);
    cut.resize(cut.size() - 3);
    auto picture = sequenceSet(0, 640, 480);
    picture[0] = 1 << 1;  // a slice, not a parameter set
    const Case cases[] = {
        {"grey, 10 bits, a conformance window", sequenceSet(1, 320, 200, 0, 10, true), std::pair{320, 200}},
        {"no sub-layers", sequenceSet(0, 640, 480), std::pair{640, 480}},
        {"seven sub-layers with profiles and levels", sequenceSet(7, 4032, 3024), std::pair{4032, 3024}},
        {"a size near the largest", sequenceSet(2, 65535, 1), std::pair{65535, 1}},
        {"cut before its height", cut, std::nullopt},
        {"another kind of unit", picture, std::nullopt},
    };
    for (const auto& [name, unit, expected] : cases) {
        const auto size = hevcSequenceSize(unit);
        ASSERT_EQ(size.has_value(), expected.has_value()) << name;
        if (size) {
            EXPECT_EQ(std::pair(size->width, size->height), *expected) << name;
        }
    }
}

// The decoder's planes follow the chroma format and the bit depth: 4:4:4 at 12 bits takes six bytes a pixel.
TEST(HevcSequenceSizeTest, APicturesBytesFollowItsChromaAndDepth) {
    struct Case {
        unsigned chroma, bitDepth;
        std::uint64_t bytes;
    };
    for (const auto& [chroma, bitDepth, bytes] : {Case{0, 8, 4096}, Case{1, 8, 6144}, Case{2, 10, 16384},
                                                  Case{3, 12, 24576}, Case{3, 8, 12288}}) {
        const auto size = hevcSequenceSize(sequenceSet(0, 64, 64, chroma, bitDepth));
        ASSERT_TRUE(size) << chroma << " " << bitDepth;
        EXPECT_EQ(size->chromaFormat, chroma);
        EXPECT_EQ(size->bitDepth, bitDepth);
        EXPECT_EQ(hevcPictureBytes(*size), bytes) << chroma << " " << bitDepth;
    }
}

}  // namespace
}  // namespace zentrel::scanners
