// The uninstaller page with 10,000 applications: filtering them by a search
// and showing the list (the model reset and the first frame, which draws
// only the visible rows). Target: well under a second each, about 10 ms.

#include "BenchTempFolder.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "ui/presenters/UninstallPresenter.hpp"
#include "ui/tools/AppRow.hpp"
#include "viewmodels/UninstallViewModel.hpp"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace zentrel;

constexpr int kApps = 10'000;

// Nothing here runs in the background: the list is set directly.
class Unused final : public platform::Executor, public platform::MainQueue {
public:
    void submit(platform::Job) override {}
    void post(platform::Job) override {}
};

std::vector<model::InstalledApp> manyApps() {
    std::vector<model::InstalledApp> apps;
    apps.reserve(kApps);
    for (int i = 0; i < kApps; ++i) {
        const auto number = std::to_string(i);
        apps.push_back({"Application " + number, "org.example.App" + number,
                        "/usr/share/applications/org.example.App" + number + ".desktop", ""});
    }
    return apps;
}

struct Page {
    platform::PosixFileSystem fileSystem;
    services::AppUninstaller uninstaller{fileSystem, platform::HostLayout::forHome("/nonexistent", "/nonexistent")};
    Unused unused;
    viewmodels::UninstallViewModel vm{uninstaller, unused, unused};
};

void BM_FilterTenThousandApps(benchmark::State& state) {
    Page page;
    page.vm.apps.set(manyApps());
    page.vm.query.set("App 99");
    for (auto _ : state) benchmark::DoNotOptimize(page.vm.filteredApps());
}
BENCHMARK(BM_FilterTenThousandApps)->Unit(benchmark::kMillisecond);

void BM_ShowTenThousandApps(benchmark::State& state) {
    // Qt's settings and font caches go to a temporary home, never the real one.
    static BenchTempFolder home("uninstall-list-bench");
    const auto path = [](const char* relative) { return QByteArray((home.path() / relative).string().c_str()); };
    qputenv("HOME", path(""));
    qputenv("XDG_CONFIG_HOME", path(".config"));
    qputenv("XDG_CACHE_HOME", path(".cache"));
    qputenv("XDG_DATA_HOME", path(".local/share"));
    qputenv("XDG_RUNTIME_DIR", path(""));
    std::filesystem::permissions(home.path(), std::filesystem::perms::owner_all);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "uninstall_list_bench";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    const auto apps = manyApps();
    auto* model = new ui::AppListModel;
    ui::AppListView view(model, [](const model::InstalledApp&) {});
    model->setParent(&view);
    view.resize(800, 600);
    for (auto _ : state) {
        model->setApps(apps);
        benchmark::DoNotOptimize(view.grab());
    }
}
BENCHMARK(BM_ShowTenThousandApps)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
