#include "scanners/media/PictureGate.hpp"

namespace zentrel::scanners {

bool PictureGate::admit(std::uint64_t width, std::uint64_t height, std::uint64_t decodingBytes) {
    if (width < 1 || height < 1 || reservation_) return false;
    std::uint64_t pixels = 0;
    tooLarge_ = __builtin_mul_overflow(width, height, &pixels) || pixels > mostPixels_ ||
                decodingBytes > budget_->capacity();
    if (tooLarge_ || probing_) return false;
    auto reservation = budget_->reserve(decodingBytes);
    if (!reservation) return false;
    reservation_.emplace(std::move(*reservation));
    return true;
}

bool PictureGate::covers(std::uint64_t width, std::uint64_t height, std::uint64_t decodingBytes) {
    std::uint64_t pixels = 0;
    const bool fits = !__builtin_mul_overflow(width, height, &pixels) && pixels <= mostPixels_ &&
                      decodingBytes <= memoryLimit();
    if (!fits && reservation_) tooLarge_ = true;
    return fits && reservation_;
}

}  // namespace zentrel::scanners
