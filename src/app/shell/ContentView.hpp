#pragma once
// The main window's content: the sidebar beside the detail pane on the
// moving backdrop, and a slot at the bottom-trailing corner, 16 points in,
// for the update banner.

#include <QSplitter>
#include <QWidget>

namespace zentrel::app {

class ContentView final : public QWidget {
public:
    static constexpr int kSidebarMinimumWidth = 220;
    static constexpr int kSidebarIdealWidth = 240;
    static constexpr int kSidebarMaximumWidth = 280;
    static constexpr int kBannerInset = 16;

    ContentView(QWidget* sidebar, QWidget* detail, QWidget* parent = nullptr);

    // The banner decides itself whether it shows; the slot only places it.
    void setBanner(QWidget* banner);
    [[nodiscard]] QSplitter* splitter() const { return splitter_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The banner asks for room again when it shows something new.
    bool event(QEvent* event) override;

private:
    void placeBanner();

    QSplitter* splitter_ = nullptr;
    QWidget* banner_ = nullptr;
};

}  // namespace zentrel::app
