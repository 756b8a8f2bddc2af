#pragma once
// Writes a whole file so that a reader sees either the old contents or the new
// ones, never a part: a temporary file in the same folder, flushed to disk,
// then renamed over the target.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::platform {

// Creates missing parent folders. Returns an error text on failure, in which
// case the target is unchanged.
[[nodiscard]] std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                                             std::string_view contents);

// The same, throwing std::filesystem::filesystem_error with the system's own
// error (so that a full disk reads as one) on failure.
void writeFileAtomicallyOrThrow(const std::filesystem::path& target, std::string_view contents);

// What a file error means for the user, in the window's language: "the disk
// is full" for a full disk or quota, "permission denied" and the like for
// the common errors, the system's text otherwise.
[[nodiscard]] std::string fileErrorText(std::error_code error);

// Reads a whole file; nullopt when it cannot be opened or read.
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// Reads a regular file that is not a link and holds at most `limit` bytes;
// nullopt for anything else (a FIFO or device never blocks the caller).
[[nodiscard]] std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::uint64_t limit);
// Why `path` is not a regular file reached without a link; none when it is one.
[[nodiscard]] std::optional<std::string> notARegularFile(const std::filesystem::path& path);

}  // namespace zentrel::platform
