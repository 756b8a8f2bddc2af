#pragma once
// One window program per user session. The first instance holds a lock in a
// private folder of the user (the runtime folder, else a 0700 folder of its
// own in the temporary folder, checked for owner and mode) and listens on a
// local socket beside it; a later one finds the lock held and hands its
// request (show the window, or run an intent) to it and exits. Both ends
// check that the other runs as the same user. The listener keeps its socket
// whatever accepting a connection meets (out of descriptors too), and while
// the lock is held no second instance starts.

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <variant>

class QSocketNotifier;

namespace zentrel::app {

struct InstanceRequest {
    std::optional<std::string> intent;    // "Smart Cleanup", "Free Up Space" or "Scan Category"
    std::optional<std::string> category;  // a category's case name, for "Scan Category"

    [[nodiscard]] std::string encode() const;
    [[nodiscard]] static std::optional<InstanceRequest> decode(const std::string& line);
};

class SingleInstance final : public QObject {
public:
    // The longest request line read; a longer one closes its connection.
    static constexpr qint64 kLongestRequest = 4096;
    // Connections served at once; more are closed as they come.
    static constexpr int kMostConnections = 16;

    // The private folder: `runtimeFolder` when given, else "zentrel-UID" in
    // `temporaryFolder`, made 0700 when missing. Anything but a folder (not a
    // link) of this user with no access for others gives the reason instead.
    [[nodiscard]] static std::variant<QString, std::string> privateFolder(const QString& runtimeFolder,
                                                                          const QString& temporaryFolder);
    // The same for this session: $XDG_RUNTIME_DIR, else the temporary folder.
    [[nodiscard]] static std::variant<QString, std::string> privateFolder();

    explicit SingleInstance(QString folder);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    [[nodiscard]] QString socketPath() const;

    // Takes the folder's lock, for as long as this object lives; false when
    // a living instance holds it.
    [[nodiscard]] bool claim();
    // Hands `request` to the instance that holds the lock; false when it does
    // not answer or is not this user's.
    [[nodiscard]] bool handOff(const InstanceRequest& request) const;
    // Listens (after claim), replacing a socket left by an instance that
    // ended; false when the socket cannot be made.
    bool listen(std::function<void(const InstanceRequest&)> received);

private:
    void acceptPending();
    void serve(int connection);

    QString folder_;
    int lock_ = -1;
    int listener_ = -1;
    int spare_ = -1;  // a descriptor given up to take a connection when none is left
    int connections_ = 0;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void(const InstanceRequest&)> received_;
};

// Whether the other end of the local socket `descriptor` runs as this user.
[[nodiscard]] bool peerIsThisUser(int descriptor);

}  // namespace zentrel::app
