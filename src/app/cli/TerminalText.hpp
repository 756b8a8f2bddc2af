#pragma once
// Text from files (application names, paths) made safe to print on a
// terminal: control characters, which could move the cursor, recolour or
// rewrite what is shown, are written as escapes ("\x1b", "\n"), and so is a
// backslash, so the printed text stands for one text only.

#include <string>
#include <string_view>

namespace zentrel::cli {

[[nodiscard]] std::string terminalText(std::string_view text);

}  // namespace zentrel::cli
