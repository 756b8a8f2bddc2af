// Widgets and fonts need a running application: one for the whole test
// program, drawing nowhere, with its settings and font caches in a temporary
// home, never the real one.

#include "doubles/TempDir.hpp"

#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

class OffscreenApplication : public ::testing::Environment {
public:
    void SetUp() override {
        home_ = std::make_unique<zentrel::testing::TempDir>();
        const auto path = [this](const char* relative) { return QByteArray((*home_ / relative).string().c_str()); };
        qputenv("HOME", path(""));
        qputenv("XDG_CONFIG_HOME", path(".config"));
        qputenv("XDG_CACHE_HOME", path(".cache"));
        qputenv("XDG_DATA_HOME", path(".local/share"));
        qputenv("XDG_RUNTIME_DIR", path("run"));
        std::filesystem::create_directories(*home_ / "run");
        std::filesystem::permissions(*home_ / "run", std::filesystem::perms::owner_all);
        // Two screens side by side: the first at 1x, the second at twice the
        // scale, where the layout audit lays pages out again.
        const auto screens = *home_ / "screens.json";
        std::ofstream(screens) << R"({"screens": [)"
                                  R"({"name": "1x", "x": 0, "y": 0, "width": 800, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},)"
                                  R"({"name": "2x", "x": 800, "y": 0, "width": 2000, "height": 1600, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})";
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QByteArray(screens.string().c_str()));
        // A private desktop's own platform, where its accessibility bridge is to be heard.
        if (const auto platform = qgetenv("ZENTREL_TEST_PLATFORM"); !platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {
        app_.reset();
        home_.reset();
    }

private:
    std::unique_ptr<zentrel::testing::TempDir> home_;
    int argc_ = 1;
    char name_[16] = "design_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new OffscreenApplication);

}  // namespace
