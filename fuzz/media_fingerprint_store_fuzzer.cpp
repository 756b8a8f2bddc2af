// Picture fingerprint caches of any content, read as a duplicate scan reads
// them; whatever is taken is written back and must read back the same.

#include "platform/concurrency/Clock.hpp"
#include "scanners/duplicates/MediaFingerprintStore.hpp"

#include <cstdint>
#include <string_view>

namespace {

// Far enough ahead that no entry's day is in the future, near enough that few expire.
class FixedClock final : public zentrel::platform::Clock {
public:
    [[nodiscard]] zentrel::platform::Date now() const override {
        return zentrel::platform::Date::fromTimeIntervalSince1970(20'000 * 86400.0);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FixedClock clock;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto store = zentrel::scanners::MediaFingerprintStore::parse(bytes, clock);
    if (!store) return 0;
    const auto written = store->serialized();
    const auto again = zentrel::scanners::MediaFingerprintStore::parse(written, clock);
    if (!again || again->serialized() != written) __builtin_trap();
    return 0;
}
