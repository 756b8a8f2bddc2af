// zentrel-cli report: a fresh scan's plain-text report, as the window
// exports it; with --save FOLDER it is also written to "Zentrel-Report.txt"
// in that existing folder, replacing a report there only with --force.

#include "app/cli/CliCommand.hpp"
#include "app/cli/ScanViewModelSetup.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/files/AtomicFile.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/ResultGrouping.hpp"

#include <filesystem>
#include <iostream>
#include <optional>

namespace zentrel::cli {
namespace {

// The file --save names, checked before the scan: its folder is there and,
// without --force, no file of that name is.
std::optional<std::filesystem::path> reportFile(const Arguments& arguments) {
    const auto folder = arguments.option("--save");
    if (!folder) return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_directory(*folder, error))
        throw UsageError(platform::localizedFormat("no folder at %@", {terminalText(*folder, Stream::error)}));
    auto file = std::filesystem::path(*folder) / viewmodels::kReportFileName;
    if (!arguments.flag("--force") && std::filesystem::exists(std::filesystem::symlink_status(file, error)))
        throw UsageError(platform::localizedFormat("%@ is there already; give --force to replace it",
                                                   {terminalText(file.string(), Stream::error)}));
    return file;
}

int runReport(const Arguments& arguments) {
    const auto layout = hostLayout(arguments);
    const auto file = reportFile(arguments);
    ScanSetup setup(layout, hostTable(arguments, platform::PosixFileSystem::shared()));
    ScanViewModelSetup screen(setup, layout, arguments.option("--home").has_value());
    auto& viewModel = screen.viewModel();
    viewModel.resetScan(true);
    viewModel.startScan(false, true, false, false);
    screen.waitUntilIdle();

    // The file keeps the names as they are, as the window's export does.
    bool quoted = false;
    const auto shown = viewModel.exportReport([&](std::string_view name) {
        auto text = terminalText(name);
        quoted = quoted || text != name;
        return text;
    });
    std::cout << shown << "\n";
    if (file) {
        if (auto error = platform::writeFileAtomically(*file, quoted ? viewModel.exportReport() : shown)) {
            std::cerr << "zentrel-cli: "
                      << platform::localizedFormat("cannot write %@: %@", {terminalText(file->string(), Stream::error), *error})
                      << "\n";
            return 1;
        }
    }
    return 0;
}

CliCommandRegistration report{{.name = "report",
                               .usage = N_("report [--home DIR [--system-root DIR]] [--layout linux|macos] [--save FOLDER [--force]]"),
                               .summary = N_("Scan and print the plain-text scan report (deletes nothing)"),
                               .options = withHostTableOptions({{"--save", ValueKind::path}, {"--force"}}),
                               .run = runReport}};

}  // namespace
}  // namespace zentrel::cli
