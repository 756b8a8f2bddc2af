#include "scanners/media/PictureMemoryBudget.hpp"

#include <algorithm>

#include <malloc.h>

namespace zentrel::scanners {

namespace {

constexpr int kMappedBufferBytes = 256 << 10;

}  // namespace

PictureMemoryBudget& PictureMemoryBudget::shared() {
    // A decode's large buffers are mapped for themselves and go back to the system when freed; left to
    // the allocator's sliding threshold they would come from each thread's arena and stay there.
    static const bool largeBuffersMapped = ::mallopt(M_MMAP_THRESHOLD, kMappedBufferBytes) == 1;
    (void)largeBuffersMapped;
    static PictureMemoryBudget budget(kSharedBytes);
    return budget;
}

std::optional<PictureMemoryBudget::Reservation> PictureMemoryBudget::reserve(std::uint64_t bytes) {
    if (bytes > capacity_) return std::nullopt;
    std::unique_lock lock(mutex_);
    released_.wait(lock, [&] { return held_ == 0 || held_ + bytes <= std::min(sideBySide_, capacity_); });
    held_ += bytes;
    return Reservation(this, bytes);
}

void PictureMemoryBudget::release(std::uint64_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        held_ -= bytes;
    }
    released_.notify_all();
}

PictureMemoryBudget::Reservation::~Reservation() {
    if (budget_) budget_->release(bytes_);
}

}  // namespace zentrel::scanners
