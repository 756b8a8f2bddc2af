#pragma once
// An incremental SHA-256 computation over OpenSSL's message-digest API, and
// the lower-case hexadecimal text of a digest.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

typedef struct evp_md_ctx_st EVP_MD_CTX;

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
    EVP_MD_CTX* context_;
};

// 64 characters: two lower-case hexadecimal digits per byte, in digest order.
[[nodiscard]] std::string hexDigest(const Sha256Digest& digest);

}  // namespace zentrel::scanners
