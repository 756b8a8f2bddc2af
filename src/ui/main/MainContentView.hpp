#pragma once
// The main window's detail pane: the page chosen for the sidebar selection
// and scan state, its title, the toolbar of scan, export and clean actions,
// the clean confirmation, the alert about items that could not be deleted,
// the sweep-log sheet and the report export. What it shows comes from the
// pane's presenter; the pages of other parts of the window come from the
// app through `PageFactory`.

#include "platform/concurrency/Clock.hpp"
#include "platform/desktop/Clipboard.hpp"
#include "platform/desktop/PreviewPanel.hpp"
#include "ui/main/MainContentDialogs.hpp"
#include "ui/main/PictureThumbnails.hpp"
#include "ui/presenters/MainContentPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <memory>

namespace zentrel::ui {

// What the pane's own pages need besides the view model.
struct MainPageServices {
    platform::Clipboard& clipboard;
    platform::TimerScheduler& timers;
    // The desktop's file previewer; none where there is none.
    platform::PreviewPanel* previewPanel = nullptr;
    // The overview measures the volume that holds this folder.
    std::string homeFolder;
    // Where the duplicates page decodes its pictures' thumbnails; none: it shows file icons.
    std::optional<ThumbnailServices> thumbnails = std::nullopt;
};

class MainContentView final : public QWidget {
public:
    // A page for a route the pane does not build itself; nullptr: a placeholder.
    using PageFactory = std::function<QWidget*(const DetailRoute& route, QWidget* parent)>;

    MainContentView(viewmodels::ScanViewModel& viewModel, const platform::Clock& clock, MainPageServices services,
                    PageFactory pages,
                    std::unique_ptr<MainContentDialogs> dialogs = std::make_unique<MessageBoxDialogs>(),
                    QWidget* parent = nullptr);

    [[nodiscard]] const DetailRoute& route() const { return route_; }
    [[nodiscard]] QWidget* page() const { return page_; }
    [[nodiscard]] QLabel* titleLabel() const { return title_; }
    [[nodiscard]] const std::vector<QPushButton*>& toolbarButtons() const { return buttons_; }
    [[nodiscard]] QDialog* sweepLogSheet() const { return sheet_; }

    void exportReport();
    void requestClean();
    // Asks before cleaning exactly the items `confirmation` counts.
    void confirm(const CleanConfirmation& confirmation);

private:
    void refresh();
    void showPage(const DetailRoute& route);
    QWidget* makePage(const DetailRoute& route);
    void rebuildToolbar();
    void trigger(ToolbarAction action);
    void cleanFailuresChanged(std::size_t count);
    void showSweepLog(bool show);

    viewmodels::ScanViewModel& viewModel_;
    const platform::Clock& clock_;
    MainPageServices services_;
    PageFactory pages_;
    std::unique_ptr<MainContentDialogs> dialogs_;
    QVBoxLayout* layout_ = nullptr;
    QLabel* title_ = nullptr;
    QHBoxLayout* toolbar_ = nullptr;
    std::vector<QPushButton*> buttons_;
    std::vector<ToolbarItem> shownItems_;
    QWidget* page_ = nullptr;
    DetailRoute route_;
    bool hasRoute_ = false;
    std::size_t failureCount_ = 0;
    QPointer<QDialog> sheet_;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
