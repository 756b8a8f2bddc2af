#include "scanners/duplicates/Sha256.hpp"

#include <nettle/sha2.h>

namespace zentrel::scanners {

Sha256::Sha256() : context_(std::make_unique<sha256_ctx>()) { sha256_init(context_.get()); }

Sha256::~Sha256() = default;

void Sha256::update(const void* data, std::size_t size) {
    if (size > 0) sha256_update(context_.get(), size, static_cast<const std::uint8_t*>(data));
}

Sha256Digest Sha256::finish() {
    Sha256Digest digest{};
    sha256_digest(context_.get(), digest.size(), digest.data());
    return digest;
}

Sha256Digest Sha256::of(std::string_view bytes) {
    Sha256 hash;
    hash.update(bytes);
    return hash.finish();
}

std::string hexDigest(const Sha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(digest.size() * 2);
    for (auto byte : digest) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0f]);
    }
    return text;
}

}  // namespace zentrel::scanners
