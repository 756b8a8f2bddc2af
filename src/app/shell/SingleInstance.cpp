#include "app/shell/SingleInstance.hpp"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <nlohmann/json.hpp>

#include <unistd.h>

namespace zentrel::app {
namespace {

constexpr int kConnectMs = 500;
constexpr int kWriteMs = 2000;
constexpr qint64 kLongestRequest = 4096;

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

QString SingleInstance::socketPath() {
    auto folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("zentrel-%1.socket").arg(::getuid()));
}

bool SingleInstance::handOff(const InstanceRequest& request) {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kConnectMs)) return false;
    socket.write(QByteArray::fromStdString(request.encode()));
    const bool written = socket.waitForBytesWritten(kWriteMs);
    socket.disconnectFromServer();
    return written;
}

bool SingleInstance::listen(std::function<void(const InstanceRequest&)> received) {
    received_ = std::move(received);
    // Only this user may connect.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    const auto path = socketPath();
    if (!server_.listen(path)) {
        // A socket left by an instance that ended without closing it.
        QLocalServer::removeServer(path);
        if (!server_.listen(path)) return false;
    }
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (auto* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (socket->bytesAvailable() > kLongestRequest) {
                    socket->abort();
                    return;
                }
                while (socket->canReadLine()) {
                    if (auto request = InstanceRequest::decode(socket->readLine().toStdString())) received_(*request);
                }
            });
        }
    });
    return true;
}

}  // namespace zentrel::app
