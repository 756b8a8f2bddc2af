#include "scanners/Sha256.hpp"

#include <openssl/evp.h>

#include <new>
#include <stdexcept>

namespace zentrel::scanners {

Sha256::Sha256() : context_(EVP_MD_CTX_new()) {
    if (context_ == nullptr) throw std::bad_alloc();
    if (EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context_);
        throw std::runtime_error("SHA-256 is not available");
    }
}

Sha256::~Sha256() { EVP_MD_CTX_free(context_); }

void Sha256::update(const void* data, std::size_t size) {
    if (size > 0) EVP_DigestUpdate(context_, data, size);
}

Sha256Digest Sha256::finish() {
    Sha256Digest digest{};
    unsigned int length = 0;
    EVP_DigestFinal_ex(context_, digest.data(), &length);
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
