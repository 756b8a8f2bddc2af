#include "app/cli/TroubleReport.hpp"

#include "app/cli/TerminalText.hpp"
#include "platform/files/ReadFailures.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/Warnings.hpp"

#include <atomic>
#include <iostream>
#include <mutex>
#include <set>

#include <unistd.h>

namespace zentrel::cli {

namespace {

std::atomic<bool> troubled{false};

// Says `line` on standard error unless it was said already.
void sayOnce(const std::string& line) {
    static std::mutex mutex;
    static std::set<std::string> said;
    std::lock_guard lock(mutex);
    troubled = true;
    if (said.insert(line).second) std::cerr << line << std::endl;
}

}  // namespace

std::filesystem::path placeThatCannotBeRead(const std::filesystem::path& path) {
    std::filesystem::path above;
    for (auto part = path.begin(); part != path.end(); ++part) {
        above /= *part;
        if (std::next(part) == path.end()) break;
        if (::access(above.c_str(), X_OK) != 0) return above;
    }
    return path;
}

void reportTroubleOnStandardError() {
    platform::setWarningSink([](const std::string& line) { sayOnce(line); });
    platform::setReadFailureListener([](const std::string& path, std::error_code error) {
        sayOnce("zentrel-cli: " + platform::localizedFormat("cannot read %@: %@", {terminalText(placeThatCannotBeRead(path).string(), Stream::error),
                                                                                    error.message()}));
    });
}

bool metTrouble() { return troubled; }

}  // namespace zentrel::cli
