#pragma once
// Shows one file of the user's disk in the desktop's shared preview panel,
// as the duplicate results do for a member. The last preview's data source
// is kept alive while the panel may still read it.

#include "platform/desktop/PreviewPanel.hpp"

#include <memory>
#include <string>

namespace zentrel::ui::QuickLookHelper {

// The one file URL of a preview, whatever index the panel asks for.
class PreviewDataSource final : public platform::PreviewDataSource {
public:
    explicit PreviewDataSource(std::string url) : url_(std::move(url)) {}
    [[nodiscard]] std::size_t numberOfPreviewItems() const override { return 1; }
    [[nodiscard]] std::string previewItemURL(std::size_t) const override { return url_; }

private:
    std::string url_;
};

// The data source of the last preview; none before the first.
[[nodiscard]] const std::shared_ptr<PreviewDataSource>& currentDataSource();

// `panel` is the shared panel, none when the desktop has none: then nothing
// is shown, the last data source stays and `done` hears false at once.
// Otherwise `done` hears on the main thread whether the panel could be asked.
void preview(const std::string& path, platform::PreviewPanel* panel, platform::PreviewPanel::Done done);

// "file:///path%20with%20spaces" for an absolute path; the path is not checked.
[[nodiscard]] std::string fileURL(const std::string& path);

}  // namespace zentrel::ui::QuickLookHelper
