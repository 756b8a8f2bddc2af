#pragma once
// SHA-256 digests of files for the duplicate finder, as lower-case
// hexadecimal text. Whole files are streamed 64 KiB at a time; files of
// middle size (above 1 MiB and below 10 MiB) get a sampled digest over their
// size and their first and last 64 KiB, which only narrows the candidates:
// the exact pass confirms such files with `sha256OfFile` before grouping them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::scanners {

// Larger pieces take no less time, and every hashing thread keeps one buffer of this size.
inline constexpr std::int64_t kWholeFileChunkBytes = 65'536;
inline constexpr std::int64_t kDigestSampleBytes = 65'536;
// Sizes strictly between these two get the sampled digest.
inline constexpr std::int64_t kSampledDigestLowerBytes = 1'048'576;
inline constexpr std::int64_t kSampledDigestUpperBytes = 10'485'760;

// Whether `contentDigest` samples a file of this size instead of reading it whole.
[[nodiscard]] constexpr bool isSampledDigestSize(std::int64_t sizeBytes) {
    return sizeBytes > kSampledDigestLowerBytes && sizeBytes < kSampledDigestUpperBytes;
}

inline constexpr std::size_t kHeadSignatureBytes = 4096;

// A 64-bit hash of the file's first 4 KiB: files of one size whose heads
// differ cannot be equal, so only files that share it need a digest.
// Nullopt when the file cannot be opened or read.
[[nodiscard]] std::optional<std::uint64_t> headSignature(const std::string& path);

// The digest of the whole file; nullopt when it cannot be opened or read.
[[nodiscard]] std::optional<std::string> sha256OfFile(const std::string& path);

// The digest by size band, for the size the walk reported: the whole file up
// to 1 MiB and from 10 MiB on; in between, SHA-256 over the size in decimal
// digits, the first 64 KiB and the last 64 KiB. Nullopt when the file cannot
// be opened or read.
[[nodiscard]] std::optional<std::string> contentDigest(const std::string& path, std::int64_t sizeBytes);

}  // namespace zentrel::scanners
