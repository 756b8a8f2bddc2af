#pragma once
// An incremental SHA-256 computation over Nettle's, and the lower-case
// hexadecimal text of a digest. Nettle, unlike a whole TLS library, adds
// little to a small program's memory.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sha256_ctx;

namespace zentrel::scanners {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 final {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void update(const void* data, std::size_t size);
    void update(std::string_view text) { update(text.data(), text.size()); }
    // Ends the computation; the object is not used afterwards.
    [[nodiscard]] Sha256Digest finish();

    [[nodiscard]] static Sha256Digest of(std::string_view bytes);

private:
    std::unique_ptr<sha256_ctx> context_;
};

// 64 characters: two lower-case hexadecimal digits per byte, in digest order.
[[nodiscard]] std::string hexDigest(const Sha256Digest& digest);

}  // namespace zentrel::scanners
