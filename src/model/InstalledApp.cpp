#include "model/InstalledApp.hpp"

namespace zentrel::model {

namespace {

// A word of a shell command: as it is when it holds only the characters
// package names use, else in single quotes.
std::string shellWord(const std::string& text) {
    const bool plain = !text.empty() && text.front() != '-' &&
                       text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._+-") ==
                           std::string::npos;
    if (plain) return text;
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::string PackageOwner::managerName() const {
    switch (manager) {
    case Manager::dpkg: return "apt";
    case Manager::flatpak: return "Flatpak";
    case Manager::snap: return "Snap";
    }
    return {};
}

std::string PackageOwner::removalCommand() const {
    switch (manager) {
    case Manager::dpkg: return "sudo apt remove " + shellWord(package);
    case Manager::flatpak: return "flatpak uninstall " + shellWord(package);
    case Manager::snap: return "sudo snap remove " + shellWord(package);
    }
    return {};
}

}  // namespace zentrel::model
