#pragma once
// The bytes of a JPEG file read a piece at a time through its stdio handle,
// for the 1/8-scale decoder's markers and entropy-coded data.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>

namespace zentrel::scanners::jpeg {

// Raw bytes of the file, read a piece at a time.
class ByteSource final {
public:
    explicit ByteSource(std::FILE* file) : file_(file) {}

    // The next byte, or -1 when the file ends or cannot be read.
    int next() {
        if (at_ == end_ && !refill()) return -1;
        return buffer_[at_++];
    }
    bool read(std::uint8_t* out, std::size_t count) {
        while (count > 0) {
            if (at_ == end_ && !refill()) return false;
            const auto piece = std::min(count, end_ - at_);
            std::memcpy(out, buffer_.data() + at_, piece);
            at_ += piece;
            out += piece;
            count -= piece;
        }
        return true;
    }
    bool skip(std::size_t count) {
        while (count > 0) {
            if (at_ == end_ && !refill()) return false;
            const auto piece = std::min(count, end_ - at_);
            at_ += piece;
            count -= piece;
        }
        return true;
    }
    // The bytes read and not yet taken; empty only at the file's end.
    std::span<const std::uint8_t> available() {
        if (at_ == end_) refill();
        return {buffer_.data() + at_, end_ - at_};
    }
    void take(std::size_t count) { at_ += count; }

private:
    bool refill() {
        at_ = 0;
        end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        return end_ > 0;
    }

    std::FILE* file_;
    std::array<std::uint8_t, 16 * 1024> buffer_;
    std::size_t at_ = 0;
    std::size_t end_ = 0;
};

}  // namespace zentrel::scanners::jpeg
