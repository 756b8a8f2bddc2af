#include "app/shell/SingleInstance.hpp"

#include "doubles/TempDir.hpp"

#include <QCoreApplication>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zentrel::app {
namespace {

namespace fs = std::filesystem;

QString folderOf(const std::variant<QString, std::string>& folder) {
    const auto* path = std::get_if<QString>(&folder);
    return path ? *path : QString();
}

class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest() {
        fs::create_directories(dir / "run");
        fs::permissions(dir / "run", fs::perms::owner_all, fs::perm_options::replace);
    }
    QString run() const { return QString::fromStdString((dir / "run").string()); }
    // Runs the event loop until `done` or a bound of rounds.
    template <class Done>
    static void processUntil(Done done) {
        for (int round = 0; round < 1000 && !done(); ++round) QCoreApplication::processEvents();
    }

    testing::TempDir dir;
};

TEST_F(SingleInstanceTest, TheSocketLivesOnlyInAPrivateFolderOfThisUser) {
    const auto temporary = QString::fromStdString(dir.path().string());
    const auto made = folderOf(SingleInstance::privateFolder({}, temporary));
    ASSERT_EQ(made, QString::fromStdString((dir / ("zentrel-" + std::to_string(::getuid()))).string()));
    EXPECT_EQ(fs::status(made.toStdString()).permissions(), fs::perms::owner_all);

    fs::permissions(made.toStdString(), fs::perms::owner_all | fs::perms::others_exec, fs::perm_options::replace);
    EXPECT_TRUE(folderOf(SingleInstance::privateFolder({}, temporary)).isEmpty()) << "open to others";
    fs::remove(made.toStdString());
    fs::create_symlink(dir / "run", made.toStdString());
    EXPECT_TRUE(folderOf(SingleInstance::privateFolder({}, temporary)).isEmpty()) << "a link";
    dir.write("shared/x", "");
    EXPECT_TRUE(folderOf(SingleInstance::privateFolder(QString::fromStdString((dir / "shared").string()), temporary))
                    .isEmpty())
        << "a runtime folder open to others";
    EXPECT_EQ(folderOf(SingleInstance::privateFolder(run(), temporary)), run());
}

TEST_F(SingleInstanceTest, NoSecondInstanceWhileTheFirstLives) {
    auto first = std::make_unique<SingleInstance>(run());
    ASSERT_TRUE(first->claim());
    ASSERT_TRUE(first->listen([](const InstanceRequest&) {}));
    SingleInstance second(run());
    EXPECT_FALSE(second.claim());
    EXPECT_FALSE(second.listen([](const InstanceRequest&) {}));
    first.reset();
    EXPECT_TRUE(second.claim()) << "the lock goes with the instance";
    EXPECT_TRUE(second.listen([](const InstanceRequest&) {}));
}

TEST_F(SingleInstanceTest, RequestsArriveAndOversizedOnesAreDropped) {
    SingleInstance first(run());
    ASSERT_TRUE(first.claim());
    std::vector<InstanceRequest> received;
    ASSERT_TRUE(first.listen([&](const InstanceRequest& request) { received.push_back(request); }));

    QLocalSocket flood;
    flood.connectToServer(first.socketPath());
    ASSERT_TRUE(flood.waitForConnected(1000));
    flood.write(QByteArray(SingleInstance::kLongestRequest + 10, 'x') + "\n");
    flood.waitForBytesWritten(1000);
    processUntil([&] { return flood.state() == QLocalSocket::UnconnectedState; });
    EXPECT_EQ(flood.state(), QLocalSocket::UnconnectedState) << "the sender of an overlong line is cut off";

    ASSERT_TRUE(SingleInstance(run()).handOff({.intent = "Scan Category", .category = std::nullopt}));
    processUntil([&] { return !received.empty(); });
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].intent, "Scan Category");
}

// Out of descriptors, the connection that cannot be taken is dropped and the
// socket stays for the next start.
TEST_F(SingleInstanceTest, RunningOutOfDescriptorsKeepsTheSocket) {
    SingleInstance first(run());
    ASSERT_TRUE(first.claim());
    std::vector<InstanceRequest> received;
    ASSERT_TRUE(first.listen([&](const InstanceRequest& request) { received.push_back(request); }));
    const auto path = first.socketPath().toStdString();

    rlimit original{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &original), 0);
    const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(client, 0);
    rlimit low = original;
    low.rlim_cur = static_cast<rlim_t>(client + 8);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> fillers;
    for (int fd; (fd = ::dup(client)) >= 0;) fillers.push_back(fd);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (int round = 0; round < 50; ++round) QCoreApplication::processEvents();
    for (int fd : fillers) ::close(fd);
    ::close(client);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &original), 0);

    EXPECT_TRUE(fs::exists(path));
    ASSERT_TRUE(SingleInstance(run()).handOff({.intent = "Free Up Space", .category = std::nullopt}));
    processUntil([&] { return !received.empty(); });
    ASSERT_EQ(received.size(), 1u);
}

}  // namespace
}  // namespace zentrel::app
