// zentrel-cli scan over a generated fixture home.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>

namespace zentrel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ScanCommandTest, DevProjectsListTheirNodeModulesAndTheAdvice) {
    TempDir dir;
    const std::string modules(31'000'000, 'm');
    for (const char* name : {"Code/shop", "Code/blog"}) {
        dir.write(std::string("home/") + name + "/package.json", "{}");
        dir.write(std::string("home/") + name + "/node_modules/dep/index.js", modules);
    }
    dir.write("home/Code/shop/yarn.lock", "");
    // The blog was last touched long ago.
    fs::last_write_time(dir / "home/Code/blog", fs::file_time_type::clock::now() - std::chrono::hours(24 * 90));
    dir.makeDirectory("sys");

    auto listed = runCli({"scan", "--home", (dir / "home").string(), "--system-root", (dir / "sys").string(),
                          "--category", "Dev Projects", "--json"});
    ASSERT_EQ(listed.status, 0);
    const auto items = nlohmann::json::parse(listed.out);
    ASSERT_EQ(items.size(), 3u) << listed.out;
    std::map<std::string, nlohmann::json> byName;
    for (const auto& item : items) byName[item["name"]] = item;
    ASSERT_TRUE(byName.contains("shop/node_modules"));
    EXPECT_EQ(byName["shop/node_modules"]["subcategory"], "yarn project");
    EXPECT_EQ(byName["shop/node_modules"]["warning"],
              "Active project \u2014 remove only if you won't build soon. Reinstalls with one command.");
    EXPECT_EQ(byName["blog/node_modules"]["selected"], true);
    EXPECT_EQ(byName["blog/node_modules"]["subcategory"], "node_modules");
    ASSERT_TRUE(byName.contains("Switch 2 projects to pnpm"));
    EXPECT_EQ(byName["Switch 2 projects to pnpm"]["suggestedCommand"],
              "corepack enable && pnpm import && pnpm install  # run inside each project");
    EXPECT_EQ(byName["Switch 2 projects to pnpm"]["warning"].get<std::string>().rfind(
                  "2 npm/yarn projects each copy their own dependencies.", 0),
              0u);
    EXPECT_TRUE(fs::exists(dir / "home/Code/shop/node_modules/dep/index.js"));

    EXPECT_EQ(runCli({"scan", "--home", (dir / "home").string(), "--category", "dev projects"}).status, 2);
}

}  // namespace
}  // namespace zentrel::testing
