// zentrel-cli as the shell starts it: the help is printed from text fixed at
// build time in each language, without loading any of the libraries the commands need; every
// other call runs zentrel-cli-commands with the same arguments, or
// zentrel-cli-dupes for `dupes`, which needs far fewer: from the same folder
// (the build tree), else from the install tree's helper folder beside bin/.

#include "platform/text/MessagesLanguage.hpp"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string.h>
#include <unistd.h>

namespace {

struct HelpText {
    std::string_view language;
    std::string_view text;
};

constexpr HelpText kHelpTexts[] = {
#include "CliHelpText.inc"
};

// The help in the language of the messages; English is the first.
std::string_view helpText() {
    std::string_view languages[std::size(kHelpTexts)];
    for (std::size_t i = 0; i < std::size(kHelpTexts); ++i) languages[i] = kHelpTexts[i].language;
    const auto language =
        zentrel::platform::messagesLanguage([](const char* name) { return std::getenv(name); }, languages);
    for (const auto& help : kHelpTexts)
        if (help.language == language) return help.text;
    return kHelpTexts[0].text;
}

bool isHelpCall(int argc, char** argv) {
    if (argc == 1) return true;
    return argc == 2 && (std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0 ||
                         std::strcmp(argv[1], "-h") == 0);
}

// Prints the text; output that cannot be written is an error (status 1).
int print(const char* text, std::size_t length) {
    errno = 0;
    std::fwrite(text, 1, length, stdout);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    std::fprintf(stderr, "zentrel-cli: cannot write the output: %s\n", std::strerror(errno != 0 ? errno : EIO));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (isHelpCall(argc, argv)) {
        const auto help = helpText();
        return print(help.data(), help.size());
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        static constexpr char kVersion[] = "zentrel-cli " ZENTREL_VERSION "\n";
        return print(kVersion, sizeof kVersion - 1);
    }
    // Plain C strings: the launcher loads no C++ library either.
    static constexpr char kCommands[] = "zentrel-cli-commands";
    static constexpr char kDupes[] = "zentrel-cli-dupes";
    const char* name = std::strcmp(argv[1], "dupes") == 0 ? kDupes : kCommands;
    char program[PATH_MAX + sizeof ZENTREL_HELPERS_FROM_PROGRAMS + sizeof kCommands];
    const auto length = ::readlink("/proc/self/exe", program, PATH_MAX);
    char* slash = length > 0 ? static_cast<char*>(::memrchr(program, '/', static_cast<std::size_t>(length))) : nullptr;
    if (slash == nullptr) {
        std::perror("zentrel-cli");
        return 127;
    }
    // Beside this program, else in the helper folder relative to it.
    static constexpr char kHelpers[] = ZENTREL_HELPERS_FROM_PROGRAMS "/";
    char* const nameStart = slash + 1;
    std::memcpy(nameStart, name, std::strlen(name) + 1);
    if (::access(program, X_OK) != 0) {
        std::memcpy(nameStart, kHelpers, sizeof kHelpers - 1);
        std::memcpy(nameStart + sizeof kHelpers - 1, name, std::strlen(name) + 1);
    }
    argv[0] = program;
    ::execv(program, argv);
    std::fprintf(stderr, "zentrel-cli: cannot run %s: %s\n", program, std::strerror(errno));
    return 127;
}
