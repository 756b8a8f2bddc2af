#pragma once
// The page of a scanned category: the duplicates or privacy page for those
// two, an empty state when nothing is shown, or the friendly or technical
// list by the "viewMode" setting. Follows the result as it changes.

#include "platform/desktop/PreviewPanel.hpp"
#include "ui/main/ItemRows.hpp"
#include "ui/main/PictureThumbnails.hpp"
#include "ui/presenters/ResultsPresenter.hpp"

#include <QVBoxLayout>
#include <QWidget>

namespace zentrel::ui {

class ResultsView final : public QWidget {
public:
    ResultsView(ItemRowServices services, platform::PreviewPanel* previewPanel,
                std::optional<ThumbnailServices> thumbnails = std::nullopt, QWidget* parent = nullptr);

    [[nodiscard]] ResultsKind kind() const { return kind_; }
    // The page shown for the kind.
    [[nodiscard]] QWidget* content() const { return content_; }

private:
    void refresh(bool rebuild);

    ItemRowServices services_;
    platform::PreviewPanel* previewPanel_;
    std::optional<ThumbnailServices> thumbnails_;
    QVBoxLayout* layout_ = nullptr;
    QWidget* content_ = nullptr;
    ResultsKind kind_ = ResultsKind::empty;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
