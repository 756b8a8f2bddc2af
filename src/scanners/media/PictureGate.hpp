#pragma once
// What one picture may cost. A decoder reads the picture's declared size and
// works out the memory its decoding needs, then asks the gate before it
// decodes anything: a picture over the pixel limit, or needing more than the
// memory budget holds, is refused; an admitted one holds its memory in the
// budget for as long as the gate lives, and the decoder keeps within it.
//
//   PictureGate gate;
//   if (!gate.admit(width, height, bytesNeeded)) return std::nullopt;
//   decoderOptions.maxMemory = gate.memoryLimit();

#include "scanners/media/PictureMemoryBudget.hpp"

#include <cstdint>
#include <optional>

namespace zentrel::scanners {

// Larger pictures get no fingerprint: about 268 million pixels.
inline constexpr std::uint64_t kMostPicturePixels = std::uint64_t{1} << 28;

class PictureGate final {
public:
    explicit PictureGate(PictureMemoryBudget& budget = PictureMemoryBudget::shared(),
                         std::uint64_t mostPixels = kMostPicturePixels)
        : budget_(&budget), mostPixels_(mostPixels) {}

    // A gate that only learns the declared size: it admits nothing.
    [[nodiscard]] static PictureGate probe() {
        PictureGate gate;
        gate.probing_ = true;
        return gate;
    }

    // Whether the picture may be decoded; once per picture.
    [[nodiscard]] bool admit(std::uint64_t width, std::uint64_t height, std::uint64_t decodingBytes);
    // Whether a later part of the admitted decoding (a video's next frame) fits what was admitted; a larger
    // one is refused as too large.
    [[nodiscard]] bool covers(std::uint64_t width, std::uint64_t height, std::uint64_t decodingBytes);
    // The memory the admitted decoding may take.
    [[nodiscard]] std::uint64_t memoryLimit() const { return reservation_ ? reservation_->bytes() : 0; }
    // Whether a picture was refused for its size.
    [[nodiscard]] bool refusedAsTooLarge() const { return tooLarge_; }

private:
    PictureMemoryBudget* budget_;
    std::uint64_t mostPixels_;
    bool probing_ = false;
    bool tooLarge_ = false;
    std::optional<PictureMemoryBudget::Reservation> reservation_;
};

}  // namespace zentrel::scanners
