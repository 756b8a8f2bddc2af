#pragma once
// Text from files (application names, paths) made safe to print: control
// characters, which could move the cursor, recolour or rewrite what a
// terminal shows, never reach it as they are. On a terminal a name that
// holds any is quoted as a shell reads it, as `ls` quotes names
// ('photo'$'\033''[2J.jpg'); elsewhere (a pipe, a file) each is written as
// an escape ("\x1b", "\n"), and so is a backslash, so the printed text
// stands for one text only and each name keeps to one line.

#include <string>
#include <string_view>

namespace zentrel::cli {

enum class Stream { output, error };

// Whether standard output or standard error is a terminal.
[[nodiscard]] bool isTerminal(Stream stream);

// The text with control characters, stray bytes and backslashes as escapes.
[[nodiscard]] std::string escapedText(std::string_view text);
// The text as a POSIX shell reads it back: as it is when it holds nothing
// a shell would take apart, else in '...' with control characters and
// bytes that are not UTF-8 in $'...' ($'\n', $'\033', $'\377').
[[nodiscard]] std::string shellQuoted(std::string_view text);

// The text as it is safe on the stream: shellQuoted() on a terminal when it
// holds a control character or a stray byte, escapedText() elsewhere.
[[nodiscard]] std::string terminalText(std::string_view text, Stream stream = Stream::output);

// JSON text with DEL and U+0080 to U+009F as "\u" escapes too: the JSON
// writer escapes only the control characters below U+0020.
[[nodiscard]] std::string terminalJson(std::string_view json);

}  // namespace zentrel::cli
