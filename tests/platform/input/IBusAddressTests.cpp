#include "platform/input/IBusAddress.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

namespace zentrel::platform {
namespace {

// The library frees the address it handed out last on each call: threads
// asking side by side must each get a whole copy (the sanitized suite sees
// a read of freed memory otherwise).
TEST(IBusAddressTest, ThreadsAskingAtOnceEachGetTheWholeAddress) {
    const std::string address = "unix:path=/nonexistent/zentrel-test-ibus-socket";
    ::setenv("IBUS_ADDRESS", address.c_str(), 1);
    std::vector<std::thread> askers;
    std::vector<int> wrong(4, 0);
    for (std::size_t i = 0; i < wrong.size(); ++i)
        askers.emplace_back([&, i] {
            for (int n = 0; n < 2000; ++n)
                if (ibusAddress() != address) ++wrong[i];
        });
    for (auto& asker : askers) asker.join();
    ::unsetenv("IBUS_ADDRESS");
    for (const int count : wrong) EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace zentrel::platform
