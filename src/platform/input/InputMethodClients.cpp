#include "platform/input/InputMethodClients.hpp"

#include <fstream>
#include <sstream>
#include <string>

namespace zentrel::platform {

bool mapsShowKeysReadThroughIBus(std::string_view maps) {
    // GTK 4's module folder and IBus's module file in it, on one mapping line.
    for (std::size_t start = 0; start < maps.size();) {
        const auto end = std::min(maps.find('\n', start), maps.size());
        const auto line = maps.substr(start, end - start);
        if (line.find("/gtk-4.0/") != std::string_view::npos && line.find("/libim-ibus.so") != std::string_view::npos) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool processReadsKeysThroughIBus(std::int64_t pid, const std::filesystem::path& procRoot) {
    std::ifstream maps(procRoot / std::to_string(pid) / "maps");
    if (!maps) return false;
    std::ostringstream text;
    text << maps.rdbuf();
    return mapsShowKeysReadThroughIBus(text.str());
}

}  // namespace zentrel::platform
