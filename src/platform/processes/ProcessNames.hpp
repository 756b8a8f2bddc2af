#pragma once
// The name a desktop knows a running program by on Linux: the file name of
// the first argument of its command line, as the program itself gives it
// to the input-method framework. Used as the application's identifier where
// the typing integration asks for one.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zentrel::platform {

[[nodiscard]] std::optional<std::string> programNameOfProcess(std::int64_t pid,
                                                              const std::filesystem::path& procRoot = "/proc");

}  // namespace zentrel::platform
