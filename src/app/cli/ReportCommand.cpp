// zentrel-cli report: a fresh scan's plain-text report, as the window
// exports it; with --save FOLDER it is also written to "Zentrel-Report.txt"
// there.

#include "app/cli/CliCommand.hpp"
#include "app/cli/ScanViewModelSetup.hpp"
#include "platform/files/AtomicFile.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/ResultGrouping.hpp"

#include <iostream>

namespace zentrel::cli {
namespace {

int runReport(const Arguments& arguments) {
    const auto layout = hostLayout(arguments);
    ScanSetup setup(layout, hostTable(arguments, platform::PosixFileSystem::shared()));
    ScanViewModelSetup screen(setup, layout, arguments.option("--home").has_value());
    auto& viewModel = screen.viewModel();
    viewModel.resetScan(true);
    viewModel.startScan(false, true, false, false);
    screen.waitUntilIdle();

    const auto report = viewModel.exportReport();
    std::cout << report << "\n";
    if (const auto folder = arguments.option("--save")) {
        const auto file = std::filesystem::path(*folder) / viewmodels::kReportFileName;
        if (auto error = platform::writeFileAtomically(file, report)) {
            std::cerr << "zentrel-cli: " << platform::localizedFormat("cannot write %@: %@", {file.string(), *error}) << "\n";
            return 1;
        }
    }
    return 0;
}

CliCommandRegistration report{{.name = "report",
                               .usage = N_("report [--home DIR [--system-root DIR]] [--layout linux|macos] [--save FOLDER]"),
                               .summary = N_("Scan and print the plain-text scan report (deletes nothing)"),
                               .options = withHostTableOptions({{"--save", ValueKind::path}}),
                               .run = runReport}};

}  // namespace
}  // namespace zentrel::cli
