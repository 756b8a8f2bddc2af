#include "platform/processes/ProcessSystem.hpp"

#include "doubles/HeldFileLock.hpp"
#include "doubles/ListeningSocket.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <unistd.h>

namespace zentrel::platform {
namespace {

namespace fs = std::filesystem;

TEST(ProcessSystemTest, AFileLockOfAnotherProcessIsSeenAndGoesWithIt) {
    testing::TempDir dir;
    const auto file = dir.write(".parentlock", "");
    fs::create_symlink(file, dir / "lock");
    const LinuxProcessSystem system;
    EXPECT_EQ(system.fileLock(file.string()), FileLockState::unlocked);
    {
        testing::HeldFileLock holder(file);
        ASSERT_TRUE(holder.started());
        EXPECT_EQ(system.fileLock(file.string()), FileLockState::locked);
        EXPECT_EQ(system.fileLock((dir / "lock").string()), FileLockState::unknown) << "never through a link";
    }
    EXPECT_EQ(system.fileLock(file.string()), FileLockState::unlocked);
    EXPECT_EQ(system.fileLock((dir / "missing").string()), FileLockState::unknown);
}

TEST(ProcessSystemTest, ASocketAnswersWhileSomethingListensThroughItsLink) {
    testing::TempDir dir;
    testing::ListeningSocket listener;
    fs::create_symlink(listener.path(), dir / "SingletonSocket");
    fs::create_symlink("/nonexistent/SingletonSocket", dir / "Gone");
    const LinuxProcessSystem system;
    EXPECT_EQ(system.connectTo((dir / "SingletonSocket").string()), SocketAnswer::answers);
    listener.close();
    EXPECT_EQ(system.connectTo((dir / "SingletonSocket").string()), SocketAnswer::refused);
    EXPECT_EQ(system.connectTo((dir / "Gone").string()), SocketAnswer::unreachable);
}

TEST(ProcessSystemTest, AProcessIsListedWithItsCommandLineAndAThreadIsNone) {
    const LinuxProcessSystem system;
    const auto self = system.process(::getpid());
    ASSERT_TRUE(self);
    EXPECT_EQ(self->program, fs::read_symlink("/proc/self/exe").filename().string());
    EXPECT_FALSE(self->arguments.empty());
    std::promise<pid_t> id;
    std::promise<void> finish;
    std::thread worker([&] {
        id.set_value(static_cast<pid_t>(::gettid()));
        finish.get_future().wait();
    });
    EXPECT_FALSE(system.process(id.get_future().get()));
    finish.set_value();
    worker.join();
    EXPECT_FALSE(system.process(-1));
}

}  // namespace
}  // namespace zentrel::platform
