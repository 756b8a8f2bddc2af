#include "ime/IBusClientName.hpp"

namespace zentrel::ime {

std::optional<std::string> programNameOfIBusClient(std::string_view clientName) {
    const auto separator = clientName.find(':');
    if (separator == std::string_view::npos || !clientName.substr(0, separator).ends_with("-im")) return std::nullopt;
    const auto program = clientName.substr(separator + 1);
    if (program.empty()) return std::nullopt;
    return std::string(program);
}

bool keepsPreeditOnFocusChange(std::string_view clientName) { return clientName != "QIBusInputContext"; }

}  // namespace zentrel::ime
