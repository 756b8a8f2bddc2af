#include "app/shell/SingleInstance.hpp"

#include <QDir>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zentrel::app {
namespace {

constexpr int kConnectMs = 500;
constexpr int kWriteMs = 2000;
constexpr int kReadMs = 2000;

std::string errnoText() { return std::strerror(errno); }

}  // namespace

std::string InstanceRequest::encode() const {
    nlohmann::json json = nlohmann::json::object();
    if (intent) json["intent"] = *intent;
    if (category) json["category"] = *category;
    return json.dump() + "\n";
}

std::optional<InstanceRequest> InstanceRequest::decode(const std::string& line) {
    const auto json = nlohmann::json::parse(line, nullptr, false);
    if (!json.is_object()) return std::nullopt;
    InstanceRequest request;
    for (auto [key, field] : {std::pair{"intent", &request.intent}, std::pair{"category", &request.category}}) {
        const auto found = json.find(key);
        if (found == json.end()) continue;
        if (!found->is_string()) return std::nullopt;
        *field = found->get<std::string>();
    }
    return request;
}

bool peerIsThisUser(int descriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return descriptor >= 0 && ::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           size == sizeof credentials && credentials.uid == ::getuid();
}

std::variant<QString, std::string> SingleInstance::privateFolder(const QString& runtimeFolder,
                                                                 const QString& temporaryFolder) {
    QString folder = runtimeFolder;
    if (folder.isEmpty()) {
        folder = QDir(temporaryFolder).filePath(QStringLiteral("zentrel-%1").arg(::getuid()));
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
            return folder.toStdString() + ": " + errnoText();
    }
    struct stat status{};
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0) return folder.toStdString() + ": " + errnoText();
    if (!S_ISDIR(status.st_mode)) return folder.toStdString() + " is not a folder";
    if (status.st_uid != ::getuid()) return folder.toStdString() + " belongs to another user";
    if ((status.st_mode & 077) != 0) return folder.toStdString() + " is open to other users";
    return folder;
}

std::variant<QString, std::string> SingleInstance::privateFolder() {
    return privateFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
}

SingleInstance::SingleInstance(QString folder) : folder_(std::move(folder)) {}

SingleInstance::~SingleInstance() {
    delete notifier_;
    if (listener_ >= 0) {
        ::close(listener_);
        ::unlink(QFile::encodeName(socketPath()).constData());
    }
    if (spare_ >= 0) ::close(spare_);
    if (lock_ >= 0) ::close(lock_);
}

QString SingleInstance::socketPath() const { return QDir(folder_).filePath(QStringLiteral("zentrel.socket")); }

bool SingleInstance::claim() {
    if (lock_ >= 0) return true;
    const auto path = QFile::encodeName(QDir(folder_).filePath(QStringLiteral("zentrel.lock")));
    const int lock = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock < 0) return false;
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock);
        return false;
    }
    lock_ = lock;
    return true;
}

bool SingleInstance::handOff(const InstanceRequest& request) const {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kConnectMs)) return false;
    if (!peerIsThisUser(static_cast<int>(socket.socketDescriptor()))) return false;
    socket.write(QByteArray::fromStdString(request.encode()));
    const bool written = socket.waitForBytesWritten(kWriteMs);
    socket.disconnectFromServer();
    return written;
}

bool SingleInstance::listen(std::function<void(const InstanceRequest&)> received) {
    if (lock_ < 0 || listener_ >= 0) return false;
    received_ = std::move(received);
    const auto path = QFile::encodeName(socketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    // The lock is held: a socket there is one an ended instance left.
    ::unlink(path.constData());
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0) return false;
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 64) != 0) {
        ::close(listener);
        return false;
    }
    listener_ = listener;
    spare_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { acceptPending(); });
    return true;
}

void SingleInstance::acceptPending() {
    for (;;) {
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection >= 0) {
            if (connections_ >= kMostConnections || !peerIsThisUser(connection)) {
                ::close(connection);
            } else {
                serve(connection);
            }
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED) continue;
        if ((errno == EMFILE || errno == ENFILE) && spare_ >= 0) {
            // No descriptor is left: give up the spare one to take the
            // connection off the queue and close it, then take the spare back.
            ::close(spare_);
            const int dropped = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (dropped >= 0) ::close(dropped);
            spare_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (dropped >= 0) continue;
        }
        // Nothing pending, or an error that the next connection may not
        // meet: the socket stays either way.
        return;
    }
}

void SingleInstance::serve(int connection) {
    auto* socket = new QLocalSocket(this);
    if (!socket->setSocketDescriptor(connection, QLocalSocket::ConnectedState, QIODevice::ReadOnly)) {
        ::close(connection);
        delete socket;
        return;
    }
    ++connections_;
    connect(socket, &QObject::destroyed, this, [this] { --connections_; });
    const auto finish = [socket] {
        socket->abort();
        socket->deleteLater();
    };
    connect(socket, &QLocalSocket::disconnected, socket, finish);
    // A connection that never finishes its line is closed.
    QTimer::singleShot(kReadMs, socket, finish);
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket, finish] {
        if (socket->canReadLine()) {
            // One request a connection.
            const auto line = socket->readLine(kLongestRequest + 1);
            finish();
            if (line.endsWith('\n')) {
                if (auto request = InstanceRequest::decode(line.toStdString())) received_(*request);
            }
        } else if (socket->bytesAvailable() > kLongestRequest) {
            finish();
        }
    });
}

}  // namespace zentrel::app
