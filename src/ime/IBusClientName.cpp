#include "ime/IBusClientName.hpp"

#include "platform/processes/ProcessNames.hpp"

#include <fstream>

namespace zentrel::ime {

std::optional<std::string> programNameOfIBusClient(std::string_view clientName) {
    const auto separator = clientName.find(':');
    if (separator == std::string_view::npos || !clientName.substr(0, separator).ends_with("-im")) return std::nullopt;
    const auto program = clientName.substr(separator + 1);
    if (program.empty()) return std::nullopt;
    return std::string(program);
}

bool isQtClient(std::string_view clientName) { return clientName == "QIBusInputContext"; }

std::optional<std::string> programOfQtClientProcess(std::int64_t pid, const std::filesystem::path& procRoot) {
    if (pid <= 0) return std::nullopt;
    // The module is a plugin the process maps from Qt's plugin folder.
    std::ifstream maps(procRoot / std::to_string(pid) / "maps");
    bool loaded = false;
    for (std::string line; !loaded && std::getline(maps, line);) {
        loaded = line.ends_with("/platforminputcontexts/libibusplatforminputcontextplugin.so");
    }
    return loaded ? platform::programNameOfProcess(pid, procRoot) : std::nullopt;
}

bool keepsPreeditOnFocusChange(std::string_view clientName) { return !isQtClient(clientName); }

bool takesForwardedKeysInOrder(std::string_view clientName) { return clientName == "xim" || clientName.empty(); }

}  // namespace zentrel::ime
