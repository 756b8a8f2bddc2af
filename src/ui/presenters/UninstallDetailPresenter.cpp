#include "ui/presenters/UninstallDetailPresenter.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

namespace zentrel::ui {

std::vector<UninstallItemRowContent> uninstallItemRows(const viewmodels::UninstallViewModel& vm) {
    std::vector<UninstallItemRowContent> rows;
    rows.reserve(vm.items().size());
    for (const auto& item : vm.items()) {
        const auto kind = platform::localized(model::displayName(item.kind));
        const auto size = platform::formatByteCount(item.sizeBytes, platform::ByteCountStyle::file);
        rows.push_back({item.id, kind, std::string(model::icon(item.kind)), item.path, size, item.isSelected,
                        platform::localizedFormat("%@, %@", {platform::localizedFormat("%@, %@", {kind, item.path}), size})});
    }
    return rows;
}

std::vector<std::string> keptBackLines(const viewmodels::UninstallViewModel& vm) {
    std::vector<std::string> lines;
    for (const auto& kept : vm.keptBack())
        // TRANSLATORS: a path the uninstaller leaves, then why ("~/.local/opt/inkpad — also used by Inkpad Viewer").
        lines.push_back(platform::localizedFormat("%@ — %@", {kept.path, model::keptBackReasonText(kept)}));
    return lines;
}

std::string uninstallFooter(const viewmodels::UninstallViewModel& vm) {
    if (vm.items().empty() && !vm.isLoadingItems() && !vm.isUninstalling())
        return platform::localized("Nothing of this application's is left in your folders.");
    // TRANSLATORS: the files ticked of those found, then their size ("3/5 items · 12 MB").
    return platform::localizedFormat(N_COUNTED("%lld/%lld mục · %@"), {platform::formatCount(vm.selectedItems().size()),
                                                            platform::formatCount(vm.items().size()), vm.selectedSizeText()});
}

RemoveButtonContent removeButton(const viewmodels::UninstallViewModel& vm) {
    RemoveButtonContent button;
    button.showsProgress = vm.isUninstalling();
    const auto& app = vm.selectedApp();
    if (!button.showsProgress) {
        button.label = app && app->package ? platform::localizedFormat("Remove user data (%@)", {vm.selectedSizeText()})
                                           : platform::localizedFormat("Gỡ %@", {vm.selectedSizeText()});
    }
    button.enabled = !vm.selectedItems().empty() && !vm.isUninstalling();
    button.shown = button.showsProgress || !vm.items().empty();
    return button;
}

RemovalConfirmation removalConfirmation(const viewmodels::UninstallViewModel& vm) {
    RemovalConfirmation confirmation;
    const auto selected = vm.selectedItems();
    confirmation.title = platform::localizedFormat(N_COUNTED("Xoá vĩnh viễn %lld mục (%@)?"),
                                                   {platform::formatCount(selected.size()), vm.selectedSizeText()});
    confirmation.message = platform::localized("Các tệp này sẽ bị xoá vĩnh viễn, không khôi phục được.");
    for (const auto& item : selected) {
        confirmation.paths.push_back(item.path);
        confirmation.lines.push_back(platform::localizedFormat(
            "%@ (%@)", {item.path, platform::formatByteCount(item.sizeBytes, platform::ByteCountStyle::file)}));
    }
    confirmation.confirmLabel = platform::localized("Xoá vĩnh viễn");
    confirmation.cancelLabel = platform::localized("Huỷ");
    return confirmation;
}

std::optional<std::string> packageNotice(const model::InstalledApp& app) {
    if (!app.package) return std::nullopt;
    return platform::localizedFormat(
        "Installed by %@ (%@). Only your own files for it are listed here; to remove the application, run: %@",
        {app.package->managerName(), app.package->package, app.package->removalCommand()});
}

void closeUninstallSheet(viewmodels::UninstallViewModel& vm) {
    vm.selectedApp.set(std::nullopt);
    vm.items.set({});
    vm.keptBack.set({});
}

}  // namespace zentrel::ui
