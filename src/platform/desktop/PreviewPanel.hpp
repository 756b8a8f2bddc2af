#pragma once
// The desktop's shared file preview panel. The session-bus backend asks the
// desktop's previewer (org.gnome.NautilusPreviewer) to show the file; where
// no previewer answers, nothing is shown.

#include "platform/concurrency/Executor.hpp"

#include <cstddef>
#include <functional>
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
    using Done = std::function<void(bool asked)>;
    virtual ~PreviewPanel() = default;
    // Asks for the data source's item to be brought to the front; `done`
    // hears on the main thread whether anything could be asked (false where
    // the desktop has no previewer).
    virtual void show(const PreviewDataSource& dataSource, Done done) = 0;
};

// Looks for the previewer on the session bus at each preview, so that one
// started after the app still answers. The bus is asked on `worker`, never on
// the main thread.
class SessionBusPreviewPanel final : public PreviewPanel {
public:
    // Asks a previewer to show a file URL; false when none could be asked.
    using Ask = std::function<bool(const std::string& url)>;
    SessionBusPreviewPanel(Executor& worker, MainQueue& main, Ask ask);
    void show(const PreviewDataSource& dataSource, Done done) override;

private:
    Executor& worker_;
    MainQueue& main_;
    Ask ask_;
};

// Blocks while it asks the previewer of the session bus that
// DBUS_SESSION_BUS_ADDRESS names to show `url`.
[[nodiscard]] bool askSessionPreviewer(const std::string& url);

}  // namespace zentrel::platform
