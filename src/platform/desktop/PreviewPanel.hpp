#pragma once
// The desktop's shared file preview panel. The session-bus backend asks the
// desktop's previewer (org.gnome.NautilusPreviewer) to show the file; where
// no previewer answers, nothing is shown.

#include <cstddef>
#include <memory>
#include <string>

namespace zentrel::platform {

// What the panel shows: a number of items and the file URL of each.
class PreviewDataSource {
public:
    virtual ~PreviewDataSource() = default;
    [[nodiscard]] virtual std::size_t numberOfPreviewItems() const = 0;
    [[nodiscard]] virtual std::string previewItemURL(std::size_t index) const = 0;
};

class PreviewPanel {
public:
    virtual ~PreviewPanel() = default;
    // Takes the data source and brings the panel to the front; false when
    // nothing could be asked to show it (no previewer on this desktop).
    virtual bool show(const PreviewDataSource& dataSource) = 0;
};

class SessionBusPreviewPanel final : public PreviewPanel {
public:
    explicit SessionBusPreviewPanel(std::string address) : address_(std::move(address)) {}
    // None when no previewer can be reached on the session bus.
    [[nodiscard]] static std::unique_ptr<SessionBusPreviewPanel> sharedFromEnvironment();
    bool show(const PreviewDataSource& dataSource) override;

private:
    std::string address_;
};

}  // namespace zentrel::platform
