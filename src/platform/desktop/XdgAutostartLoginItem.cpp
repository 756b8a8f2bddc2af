#include "platform/desktop/XdgAutostartLoginItem.hpp"

#include "platform/files/AtomicFile.hpp"
#include "platform/text/Localization.hpp"

#include <system_error>

namespace zentrel::platform {

namespace {

// A desktop entry's string value: backslash, newline, tab and carriage
// return written as escapes.
std::string escapedValue(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// One Exec argument: in double quotes, with \ " ` $ escaped by a backslash
// and % doubled (it would start a field code), then escaped as any string
// value, so a backslash in the path is written as four.
std::string quotedForExec(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return escapedValue(quoted + "\"");
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
    if (executable_.empty() || !executable_.is_absolute()) return N_("The application's location is not known.");
    const std::string entry = "[Desktop Entry]\nType=Application\nName=" + escapedValue(name_) + "\nExec=" +
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
