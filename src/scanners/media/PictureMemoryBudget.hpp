#pragma once
// The memory the picture decodes in flight may hold together. A decode
// reserves what its picture needs before it starts and waits while others
// hold too much; one that needs more than the whole budget is refused.
// Decodes share a smaller part of it, so that a scan's memory stays low: one
// that does not fit beside the others waits until it can run alone.
//
//   auto reservation = PictureMemoryBudget::shared().reserve(bytes);
//   if (!reservation) return skip;   // larger than the budget
//   decode(reservation->bytes());    // the decoder's own memory limit

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace zentrel::scanners {

class PictureMemoryBudget final {
public:
    // What the scan's decodes may hold together: 512 MiB.
    static constexpr std::uint64_t kSharedBytes = std::uint64_t{512} << 20;

    // What decodes hold side by side; a larger one runs alone.
    static constexpr std::uint64_t kSideBySideBytes = std::uint64_t{32} << 20;

    explicit PictureMemoryBudget(std::uint64_t bytes, std::uint64_t sideBySide = kSideBySideBytes)
        : capacity_(bytes), sideBySide_(sideBySide) {}
    PictureMemoryBudget(const PictureMemoryBudget&) = delete;
    PictureMemoryBudget& operator=(const PictureMemoryBudget&) = delete;

    // The budget every scan shares.
    [[nodiscard]] static PictureMemoryBudget& shared();

    class Reservation final {
    public:
        Reservation(Reservation&& other) noexcept : budget_(other.budget_), bytes_(other.bytes_) { other.budget_ = nullptr; }
        Reservation& operator=(Reservation&&) = delete;
        ~Reservation();
        [[nodiscard]] std::uint64_t bytes() const { return bytes_; }

    private:
        friend class PictureMemoryBudget;
        Reservation(PictureMemoryBudget* budget, std::uint64_t bytes) : budget_(budget), bytes_(bytes) {}
        PictureMemoryBudget* budget_;
        std::uint64_t bytes_;
    };

    // Waits until `bytes` fit beside what others hold; none when they never can.
    [[nodiscard]] std::optional<Reservation> reserve(std::uint64_t bytes);
    [[nodiscard]] std::uint64_t capacity() const { return capacity_; }

private:
    void release(std::uint64_t bytes);

    const std::uint64_t capacity_;
    const std::uint64_t sideBySide_;
    std::mutex mutex_;
    std::condition_variable released_;
    std::uint64_t held_ = 0;
};

}  // namespace zentrel::scanners
