#pragma once
// The Huffman tables of a JPEG picture's entropy-coded data, prepared for
// stepping through the codes fast: DC codes by a 9-bit lookup, AC codes by
// 12-bit lookups of one code or of several short ones at once. Codes too long
// for a lookup are decoded a bit at a time. Used by the 1/8-scale decoder.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace zentrel::scanners::jpeg {

// A Huffman table as the file gives it: the number of codes of each length and their symbols.
struct HuffmanSpec {
    std::array<std::uint8_t, 16> counts{};
    // Zero past the last symbol, so that equal tables compare equal.
    std::array<std::uint8_t, 256> symbols{};
    bool defined = false;

    bool operator==(const HuffmanSpec&) const = default;
};

// Canonical decoding of a code of any length, one bit at a time.
struct CanonicalCodes {
    std::array<int, 18> maxCode{};
    std::array<int, 17> valueOffset{};
    std::array<std::uint8_t, 256> symbols{};

    // The symbol at the top of `bits`, and the code's length; none for a bit pattern that is no code.
    [[nodiscard]] std::optional<int> decode(std::uint64_t bits, int& length) const {
        int code = 0;
        for (int l = 1; l <= 16; ++l) {
            code = (code << 1) | static_cast<int>((bits >> (64 - l)) & 1);
            if (code <= maxCode[l]) {
                length = l;
                return symbols[static_cast<std::size_t>((code + valueOffset[l]) & 0xFF)];
            }
        }
        return std::nullopt;
    }
};

// DC differences: the size of the difference by the next 9 bits.
struct DcTable final {
    static constexpr int kLookupBits = 9;
    // Bits 0-4: the code's length; bits 5-9: the difference's size. 0: a longer code.
    std::array<std::uint16_t, 1 << kLookupBits> lookup{};
    CanonicalCodes canonical;

    // False for a table the library refuses: too many codes of some length, or a size above 15.
    bool build(const HuffmanSpec& spec);
};

// AC codes, stepped over without their values.
struct AcTable final {
    static constexpr int kLookupBits = 12;
    // One code by the next 12 bits: bits 0-4 the bits it takes with its extra
    // bits, bits 5-11 how far it moves in the block (its zero run and itself;
    // 64 at the end of the block). 0: a longer code.
    std::array<std::uint16_t, 1 << kLookupBits> single{};
    // As many whole codes as fit in the next 12 bits, the first end of block
    // ending them: bits 0-4 the bits they take, bits 5-11 how far they move
    // together, bits 12-18 how far all but the last move. 0: not one fits.
    std::array<std::uint32_t, 1 << kLookupBits> several{};
    CanonicalCodes canonical;

    // How far a symbol moves: a zero run and one value, sixteen zeros, or the end of the block.
    static int advance(int symbol) {
        const int run = symbol >> 4, size = symbol & 15;
        if (size != 0) return run + 1;
        return run == 15 ? 16 : 64;
    }

    // False for a table the library refuses: too many codes of some length.
    bool build(const HuffmanSpec& spec);
};

// The table built from `spec`, shared with the decodes before on this thread
// that used the same one (pictures from one camera or program repeat their
// tables); none for a table the library refuses.
[[nodiscard]] std::shared_ptr<const DcTable> builtDcTable(const HuffmanSpec& spec);
[[nodiscard]] std::shared_ptr<const AcTable> builtAcTable(const HuffmanSpec& spec);

}  // namespace zentrel::scanners::jpeg
