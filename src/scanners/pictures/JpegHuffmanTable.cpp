#include "scanners/pictures/JpegHuffmanTable.hpp"

#include <algorithm>

namespace zentrel::scanners::jpeg {

namespace {

// Walks the codes of a table in canonical order: (length, code, symbol). False
// when the lengths over-fill the code space, which the library refuses.
template <typename Visit>
bool forEachCode(const HuffmanSpec& spec, CanonicalCodes& canonical, Visit visit) {
    int code = 0, index = 0;
    for (int length = 1; length <= 16; ++length) {
        canonical.valueOffset[length] = index - code;
        for (int i = 0; i < spec.counts[length - 1]; ++i, ++index, ++code) {
            // Checked before the visit, which fills lookups by the code.
            if (code >= (1 << length) - 1 || index >= 256) return false;
            visit(length, code, spec.symbols[static_cast<std::size_t>(index)]);
        }
        canonical.maxCode[length] = spec.counts[length - 1] ? code - 1 : -1;
        code <<= 1;
    }
    canonical.maxCode[17] = 0x7FFFFFFF;
    canonical.symbols = spec.symbols;
    return true;
}

// The last tables built on this thread, the most recent first: a luminance
// and a chrominance table are the usual pair.
template <typename Table>
std::shared_ptr<const Table> builtTable(const HuffmanSpec& spec) {
    struct Recent {
        HuffmanSpec spec;
        std::shared_ptr<const Table> table;
    };
    thread_local std::array<Recent, 2> recent;
    for (const auto& entry : recent)
        if (entry.table && entry.spec == spec) return entry.table;
    auto table = std::make_shared<Table>();
    if (!table->build(spec)) return nullptr;
    recent[1] = std::move(recent[0]);
    recent[0] = {spec, table};
    return table;
}

}  // namespace

std::shared_ptr<const DcTable> builtDcTable(const HuffmanSpec& spec) { return builtTable<DcTable>(spec); }

std::shared_ptr<const AcTable> builtAcTable(const HuffmanSpec& spec) { return builtTable<AcTable>(spec); }

bool DcTable::build(const HuffmanSpec& spec) {
    bool sizesValid = true;
    const bool codesValid = forEachCode(spec, canonical, [&](int length, int code, int symbol) {
        if (symbol > 15) sizesValid = false;
        if (length > kLookupBits) return;
        const int first = code << (kLookupBits - length), last = (code + 1) << (kLookupBits - length);
        for (int i = first; i < last; ++i) lookup[i] = static_cast<std::uint16_t>(length | symbol << 5);
    });
    return codesValid && sizesValid;
}

bool AcTable::build(const HuffmanSpec& spec) {
    const bool valid = forEachCode(spec, canonical, [&](int length, int code, int symbol) {
        if (length > kLookupBits) return;
        const int taken = length + (symbol & 15);
        const int first = code << (kLookupBits - length), last = (code + 1) << (kLookupBits - length);
        for (int i = first; i < last; ++i) single[i] = static_cast<std::uint16_t>(taken | advance(symbol) << 5);
    });
    if (!valid) return false;
    constexpr int kMask = (1 << kLookupBits) - 1;
    for (int i = 0; i <= kMask; ++i) {
        int used = 0, moved = 0, movedBeforeLast = 0;
        while (used < kLookupBits && moved < 64) {
            const auto entry = single[(i << used) & kMask];
            const int taken = entry & 31;
            if (entry == 0 || used + taken > kLookupBits) break;
            movedBeforeLast = moved;
            used += taken;
            moved += entry >> 5;
        }
        if (used > 0) several[i] = static_cast<std::uint32_t>(used | std::min(moved, 127) << 5 | movedBeforeLast << 12);
    }
    return true;
}

}  // namespace zentrel::scanners::jpeg
