#include "scanners/pictures/JpegEntropyReader.hpp"

namespace zentrel::scanners::jpeg {

bool EntropyReader::pull() {
    const std::size_t kept = end_ - register_.next;
    std::memmove(clean_.data(), clean_.data() + register_.next, kept);
    register_.next = 0;
    end_ = kept;
    while (end_ < kCleanBytes && marker_ < 0) {
        const auto raw = source_.available();
        if (raw.empty()) return false;
        const auto room = std::min(raw.size(), kCleanBytes - end_);
        const auto* mark = static_cast<const std::uint8_t*>(std::memchr(raw.data(), 0xFF, room));
        const auto plain = mark ? static_cast<std::size_t>(mark - raw.data()) : room;
        std::memcpy(clean_.data() + end_, raw.data(), plain);
        end_ += plain;
        source_.take(plain);
        if (!mark) continue;
        source_.take(1);
        // 0xFF 0x00 is a data byte 0xFF; further 0xFF bytes fill before a marker.
        int next = source_.next();
        while (next == 0xFF) next = source_.next();
        if (next < 0) return false;
        if (next == 0) {
            clean_[end_++] = 0xFF;
        } else {
            marker_ = next;
        }
    }
    // Past the segment's end the register reads zeros, and withinSegment() tells.
    if (marker_ >= 0) std::fill(clean_.begin() + static_cast<std::ptrdiff_t>(end_), clean_.end(), 0);
    return true;
}

}  // namespace zentrel::scanners::jpeg
