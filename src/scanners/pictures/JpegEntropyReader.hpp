#pragma once
// The entropy-coded data of a JPEG scan read as bits: the file is read a
// piece at a time, the stuffed zero bytes are taken out, and the bits are
// taken from the top of a 64-bit register. Used by the 1/8-scale decoder,
// which needs the DC differences and only steps over the AC codes.

#include "scanners/pictures/JpegByteSource.hpp"
#include "scanners/pictures/JpegHuffmanTable.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

namespace zentrel::scanners::jpeg {

// Enough bytes for any one MCU: ten blocks of 63 codes of at most 31 bits, and the DC code.
inline constexpr std::size_t kMcuBytes = 4096;

// Bits at the most significant end of a 64-bit word, topped up from a byte
// buffer eight bytes at a time without a branch.
struct BitRegister {
    std::uint64_t bits = 0;
    int count = 0;
    std::size_t next = 0;

    // At least 56 bits afterwards; reads the eight bytes at `next`.
    void refill(const std::uint8_t* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes + next, sizeof word);
        bits |= __builtin_bswap64(word) >> count;
        next += static_cast<std::size_t>(63 - count) >> 3;
        count |= 56;
    }
    void drop(int n) {
        bits <<= n;
        count -= n;
    }
};

// The entropy-coded bytes of a scan with the stuffed zero bytes taken out,
// read as bits from the most significant end of a 64-bit register.
class EntropyReader final {
public:
    explicit EntropyReader(ByteSource& source) : source_(source) {}

    // Makes sure the next MCU's bytes are at hand; false when the file ends inside the scan.
    bool prepare() { return marker_ >= 0 || end_ - register_.next >= kMcuBytes || pull(); }
    // Whether every bit taken came from the segment: damaged data runs past it.
    [[nodiscard]] bool withinSegment() const {
        // Right after a pull the register may hold bits of bytes moved out: the position is then negative.
        const auto taken = static_cast<std::int64_t>(register_.next) * 8 - register_.count;
        return taken <= static_cast<std::int64_t>(end_) * 8;
    }
    // Drops what is left of the segment and reads up to its marker; -1 when the file ends first.
    int finishSegment() {
        while (marker_ < 0) {
            register_.next = end_;
            if (!pull()) return -1;
        }
        return marker_;
    }
    // Starts the segment after a restart marker.
    void startSegment() {
        marker_ = -1;
        register_ = {.next = end_};
    }

    // Reads one block: its DC difference, then steps over its AC codes as
    // the library does when it needs no AC values. None for a bit pattern
    // that is no code. Inlined into the MCU loop, which it dominates.
    [[gnu::always_inline]] std::optional<int> block(const DcTable& dc, const AcTable& ac) {
        BitRegister r = register_;
        r.refill(clean_.data());
        int length = 0, size = 0;
        if (const auto entry = dc.lookup[r.bits >> (64 - DcTable::kLookupBits)]; entry != 0) {
            length = entry & 31;
            size = entry >> 5;
        } else if (const auto symbol = dc.canonical.decode(r.bits, length)) {
            size = *symbol;
        } else {
            return std::nullopt;
        }
        r.drop(length);
        int difference = 0;
        if (size != 0) {
            const int raw = static_cast<int>(r.bits >> (64 - size));
            r.drop(size);
            // Values below half the size's range are negative.
            difference = raw < (1 << (size - 1)) ? raw - (1 << size) + 1 : raw;
        }
        for (int k = 1; k < 64;) {
            if (r.count < 32) r.refill(clean_.data());
            const auto index = r.bits >> (64 - AcTable::kLookupBits);
            // Several codes at once, unless one before the last would end the block.
            if (const auto several = ac.several[index];
                several != 0 && k + static_cast<int>(several >> 12) < 64) [[likely]] {
                r.drop(several & 31);
                k += (several >> 5) & 127;
                continue;
            }
            if (const auto single = ac.single[index]; single != 0) {
                r.drop(single & 31);
                k += single >> 5;
                continue;
            }
            const auto symbol = ac.canonical.decode(r.bits, length);
            if (!symbol) return std::nullopt;
            r.drop(length + (*symbol & 15));
            k += AcTable::advance(*symbol);
        }
        register_ = r;
        return difference;
    }

private:
    static constexpr std::size_t kCleanBytes = 16 * 1024;

    // Moves the bytes not yet taken to the front and appends the next ones up
    // to the buffer's end or the segment's marker; false when the file ends first.
    bool pull();

    ByteSource& source_;
    std::array<std::uint8_t, kCleanBytes + kMcuBytes + 8> clean_{};
    BitRegister register_;
    std::size_t end_ = 0;
    int marker_ = -1;
};

}  // namespace zentrel::scanners::jpeg
