#include "platform/XdgAutostartLoginItem.hpp"

#include "platform/AtomicFile.hpp"

#include <system_error>

namespace zentrel::platform {

namespace {

// Exec lines quote arguments with double quotes and escape \ " ` $ inside.
std::string quotedForExec(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(std::filesystem::path configHome, std::filesystem::path executable,
                                             std::string entryID, std::string name)
    : configHome_(std::move(configHome)),
      executable_(std::move(executable)),
      entryID_(std::move(entryID)),
      name_(std::move(name)) {}

std::filesystem::path XdgAutostartLoginItem::entryPath() const {
    return configHome_ / "autostart" / (entryID_ + ".desktop");
}

std::optional<std::string> XdgAutostartLoginItem::registerApp() {
    if (executable_.empty() || !executable_.is_absolute()) return "The application's location is not known.";
    const std::string entry = "[Desktop Entry]\nType=Application\nName=" + name_ + "\nExec=" +
                              quotedForExec(executable_.string()) + "\nX-GNOME-Autostart-enabled=true\n";
    return writeFileAtomically(entryPath(), entry);
}

std::optional<std::string> XdgAutostartLoginItem::unregisterApp() {
    std::error_code error;
    std::filesystem::remove(entryPath(), error);
    if (error) return error.message();
    return std::nullopt;
}

bool XdgAutostartLoginItem::isRegistered() const {
    std::error_code error;
    return std::filesystem::is_regular_file(entryPath(), error);
}

}  // namespace zentrel::platform
