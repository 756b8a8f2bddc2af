#pragma once
// One window program per user session. The first instance listens on a
// local socket in the user's runtime folder; a later one hands its request
// (show the window, or run an intent) to it and exits.

#include <QLocalServer>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace zentrel::app {

struct InstanceRequest {
    std::optional<std::string> intent;    // "Smart Cleanup", "Free Up Space" or "Scan Category"
    std::optional<std::string> category;  // a category's case name, for "Scan Category"

    [[nodiscard]] std::string encode() const;
    [[nodiscard]] static std::optional<InstanceRequest> decode(const std::string& line);
};

class SingleInstance final : public QObject {
public:
    // The socket under $XDG_RUNTIME_DIR, else the temporary folder, per user.
    [[nodiscard]] static QString socketPath();

    // Hands `request` to a running instance; false when none answers.
    [[nodiscard]] static bool handOff(const InstanceRequest& request);

    // Starts listening; false when the socket cannot be made.
    bool listen(std::function<void(const InstanceRequest&)> received);

private:
    QLocalServer server_;
    std::function<void(const InstanceRequest&)> received_;
};

}  // namespace zentrel::app
