#include "ui/presenters/UninstallPresenter.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "services/apps/DesktopEntry.hpp"

#include <fstream>
#include <iterator>

namespace zentrel::ui {
namespace {

constexpr std::string_view kDesktopSuffix = ".desktop";
// A desktop entry is a few kilobytes; anything larger is not read whole.
constexpr std::streamsize kLargestDesktopEntry = 1 << 20;

}  // namespace

UninstallContent uninstallContent(const viewmodels::UninstallViewModel& vm) {
    if (vm.isLoadingApps()) return UninstallContent::loading;
    if (vm.filteredApps().empty()) return UninstallContent::empty;
    return UninstallContent::list;
}

std::string uninstallEmptyText(const std::string& query) {
    if (query.empty()) return platform::localized("Không tìm thấy ứng dụng nào.");
    return platform::localizedFormat("Không khớp \"%@\".", {query});
}

std::string uninstallCountText(const viewmodels::UninstallViewModel& vm) {
    return platform::localizedFormat(N_COUNTED("%lld ứng dụng"), {platform::formatCount(vm.apps().size())});
}

bool loadsOnAppearance(const viewmodels::UninstallViewModel& vm) { return vm.apps().empty(); }

AppRowContent appRow(const model::InstalledApp& app) {
    return {app.name, app.bundleID.empty() ? app.path : app.bundleID, app.version};
}

std::optional<std::string> applicationIconSource(const std::string& appPath) {
    if (!appPath.ends_with(kDesktopSuffix)) return std::nullopt;
    std::ifstream file(appPath, std::ios::binary);
    if (!file) return std::nullopt;
    std::string text(kLargestDesktopEntry, '\0');
    file.read(text.data(), kLargestDesktopEntry);
    text.resize(static_cast<std::size_t>(file.gcount()));
    const auto slash = appPath.rfind('/');
    auto id = appPath.substr(slash + 1, appPath.size() - slash - 1 - kDesktopSuffix.size());
    auto entry = services::DesktopEntry::parse(text, std::move(id));
    if (!entry || !entry->icon || entry->icon->empty()) return std::nullopt;
    return entry->icon;
}

std::string uninstallResultMessage(std::optional<std::int64_t> freedBytes, int failureCount) {
    const auto freed = platform::formatByteCount(freedBytes.value_or(0), platform::ByteCountStyle::file);
    auto message = platform::localized("Đã giải phóng ") + freed;
    if (failureCount < 1) return message + ".";
    return message + ". " +
           platform::localizedFormat(N_COUNTED("%lld mục không xoá được (có thể cần quyền hoặc đang chạy)."),
                                     {platform::formatCount(failureCount)});
}

}  // namespace zentrel::ui
