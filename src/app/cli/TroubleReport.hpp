#pragma once
// What goes wrong while a command runs without stopping it: places that could
// not be read and warnings (a settings file that could not be written). Each
// is said once on standard error, however often it is met; a command that
// met any ends with status 1, as du and find do.

#include <filesystem>
#include <string>

namespace zentrel::cli {

// Takes over the warnings and the file system's read failures.
void reportTroubleOnStandardError();

[[nodiscard]] bool metTrouble();

// The place to name for a read failure at `path`: the first folder on the
// way that cannot be entered, else the path itself. A home that cannot be
// entered is named once, not once for every place inside it.
[[nodiscard]] std::filesystem::path placeThatCannotBeRead(const std::filesystem::path& path);

}  // namespace zentrel::cli
