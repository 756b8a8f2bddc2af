#include "scanners/duplicates/FileHashing.hpp"

#include "scanners/duplicates/ReadOnlyFile.hpp"
#include "scanners/duplicates/Sha256.hpp"

#include <functional>
#include <memory>
#include <string_view>

namespace zentrel::scanners {

namespace {

// One read buffer per thread, so hashing many small files allocates nothing.
char* readBuffer() {
    thread_local std::unique_ptr<char[]> buffer(new char[kWholeFileChunkBytes]);
    return buffer.get();
}

std::optional<std::string> wholeDigest(ReadOnlyFile& file) {
    Sha256 hash;
    char* buffer = readBuffer();
    for (;;) {
        auto count = file.read(buffer, kWholeFileChunkBytes);
        if (!count) return std::nullopt;
        if (*count == 0) break;
        hash.update(buffer, *count);
    }
    return hexDigest(hash.finish());
}

std::optional<std::string> sampledDigest(ReadOnlyFile& file, std::int64_t sizeBytes) {
    static_assert(kDigestSampleBytes <= kWholeFileChunkBytes, "a sample fits the read buffer");
    char* buffer = readBuffer();
    Sha256 hash;
    hash.update(std::to_string(sizeBytes));
    auto firstCount = file.read(buffer, kDigestSampleBytes);
    if (!firstCount) return std::nullopt;
    hash.update(buffer, *firstCount);
    // A failed move is dropped: the second piece then follows the first.
    (void)file.seek(sizeBytes - kDigestSampleBytes);
    auto lastCount = file.read(buffer, kDigestSampleBytes);
    if (!lastCount) return std::nullopt;
    hash.update(buffer, *lastCount);
    return hexDigest(hash.finish());
}

}  // namespace

std::optional<std::uint64_t> headSignature(const std::string& path) {
    auto file = ReadOnlyFile::open(path);
    if (!file) return std::nullopt;
    char head[kHeadSignatureBytes];
    const auto count = file->read(head, sizeof head);
    if (!count) return std::nullopt;
    return std::hash<std::string_view>{}(std::string_view(head, *count));
}

std::optional<std::string> sha256OfFile(const std::string& path) {
    auto file = ReadOnlyFile::open(path);
    if (!file) return std::nullopt;
    return wholeDigest(*file);
}

std::optional<std::string> contentDigest(const std::string& path, std::int64_t sizeBytes) {
    auto file = ReadOnlyFile::open(path);
    if (!file) return std::nullopt;
    return isSampledDigestSize(sizeBytes) ? sampledDigest(*file, sizeBytes) : wholeDigest(*file);
}

}  // namespace zentrel::scanners
