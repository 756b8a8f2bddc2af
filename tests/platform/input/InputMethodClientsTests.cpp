#include "platform/input/InputMethodClients.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace zentrel::platform {
namespace {

TEST(InputMethodClientsTest, OnlyGtk4sIBusModuleReadsKeysThroughIBus) {
    struct Row {
        const char* maps;
        bool throughIBus;
    };
    const Row rows[] = {
        {"7f0000-7f1000 r-xp 00000000 08:01 12 /usr/lib/x86_64-linux-gnu/gtk-4.0/4.0.0/immodules/libim-ibus.so\n", true},
        {"7f0000-7f1000 r-xp 00000000 08:01 12 /usr/lib/x86_64-linux-gnu/gtk-3.0/3.0.0/immodules/im-ibus.so\n", false},
        {"7f0000-7f1000 r-xp 00000000 08:01 12 /usr/lib/x86_64-linux-gnu/libgtk-4.so.1\n"
         "7f2000-7f3000 r-xp 00000000 08:01 13 /usr/lib/x86_64-linux-gnu/libibus-1.0.so.5\n", false},
        {"", false},
    };
    for (const auto& row : rows) EXPECT_EQ(mapsShowKeysReadThroughIBus(row.maps), row.throughIBus) << row.maps;
}

TEST(InputMethodClientsTest, AProcessIsReadFromItsMapsAndAnUnreadableOneDoesNot) {
    testing::TempDir proc;
    std::filesystem::create_directories(proc.path() / "41");
    std::ofstream(proc.path() / "41" / "maps") << "1-2 r-xp 0 0:0 1 /usr/lib/gtk-4.0/4.0.0/immodules/libim-ibus.so\n";
    EXPECT_TRUE(processReadsKeysThroughIBus(41, proc.path()));
    EXPECT_FALSE(processReadsKeysThroughIBus(42, proc.path()));
}

}  // namespace
}  // namespace zentrel::platform
