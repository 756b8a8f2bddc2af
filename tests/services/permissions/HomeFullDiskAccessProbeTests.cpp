#include "services/permissions/HomeFullDiskAccessProbe.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <unistd.h>

namespace zentrel::services {
namespace {

namespace fs = std::filesystem;
using Decision = HomeFullDiskAccessProbe::Decision;

constexpr const char* kPrivacyDatabase = "root/Library/Application Support/com.apple.TCC/TCC.db";

struct ProbeCase {
    const char* name;
    std::function<void(testing::TempDir&)> build;
    Decision decision;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const ProbeCase& c, std::ostream* out) { *out << c.name; }

class HomeFullDiskAccessProbeTest : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(HomeFullDiskAccessProbeTest, DecidesInTheProbeOrder) {
    testing::TempDir dir;
    dir.makeDirectory("home");
    dir.makeDirectory("root");
    GetParam().build(dir);
    HomeFullDiskAccessProbe probe(platform::HostLayout::forHome(dir / "home", dir / "root"));
    EXPECT_EQ(probe.decide(), GetParam().decision);
    EXPECT_EQ(probe.canReadProtectedFiles(), GetParam().decision != Decision::denied);
}

void safariFolder(testing::TempDir& d) { d.write("home/Library/Safari/History.db", "x"); }
void mailFolder(testing::TempDir& d) { d.makeDirectory("home/Library/Mail/V10"); }
// A file where a folder should be: present, but it cannot be listed.
void safariNotListable(testing::TempDir& d) { d.write("home/Library/Safari", "not a folder"); }
void mailNotListable(testing::TempDir& d) { d.write("home/Library/Mail", "not a folder"); }
// A link to nowhere: present, but it cannot be opened (even by root).
void databaseNotReadable(testing::TempDir& d) {
    fs::create_directories((d / kPrivacyDatabase).parent_path());
    fs::create_symlink(d / "nowhere", d / kPrivacyDatabase);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, HomeFullDiskAccessProbeTest,
    ::testing::Values(
        ProbeCase{"AReadableHomeIsEnough", [](auto&) {}, Decision::homeFolder},
        ProbeCase{"DatabaseComesFirst",
                  [](auto& d) {
                      d.write(kPrivacyDatabase, "sqlite");
                      safariFolder(d);
                      mailFolder(d);
                  },
                  Decision::privacyDatabase},
        ProbeCase{"SafariBeforeMail",
                  [](auto& d) {
                      safariFolder(d);
                      mailFolder(d);
                  },
                  Decision::safariFolder},
        ProbeCase{"SafariAfterUnreadableDatabase",
                  [](auto& d) {
                      databaseNotReadable(d);
                      safariFolder(d);
                  },
                  Decision::safariFolder},
        ProbeCase{"MailWhenSafariCannotBeListed",
                  [](auto& d) {
                      safariNotListable(d);
                      mailFolder(d);
                  },
                  Decision::mailFolder},
        ProbeCase{"AReadableHomeOutweighsUnlistableFolders",
                  [](auto& d) {
                      databaseNotReadable(d);
                      safariNotListable(d);
                      mailNotListable(d);
                  },
                  Decision::homeFolder},
        ProbeCase{"DeniedWhenTheHomeCannotBeListed",
                  [](auto& d) {
                      fs::remove(d / "home");
                      d.write("home", "not a folder");
                  },
                  Decision::denied},
        ProbeCase{"DeniedWithoutAHome", [](auto& d) { fs::remove(d / "home"); }, Decision::denied}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HomeFullDiskAccessProbePermissions, AHomeWithoutReadPermissionIsDenied) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    testing::TempDir dir;
    auto home = dir.makeDirectory("home");
    fs::permissions(home, fs::perms::owner_exec);
    HomeFullDiskAccessProbe probe(platform::HostLayout::forHome(home, dir / "root"));
    EXPECT_EQ(probe.decide(), Decision::denied);
    fs::permissions(home, fs::perms::owner_all);
}

}  // namespace
}  // namespace zentrel::services
