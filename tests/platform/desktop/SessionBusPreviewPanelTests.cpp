#include "platform/desktop/PreviewPanel.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace zentrel::platform {
namespace {

class Items final : public PreviewDataSource {
public:
    explicit Items(std::vector<std::string> urls) : urls_(std::move(urls)) {}
    [[nodiscard]] std::size_t numberOfPreviewItems() const override { return urls_.size(); }
    [[nodiscard]] std::string previewItemURL(std::size_t index) const override { return urls_.at(index); }

private:
    std::vector<std::string> urls_;
};

TEST(SessionBusPreviewPanelTest, TheBusIsAskedOnTheWorkerAndItsAnswerHeardOnTheMainQueue) {
    for (const bool previewerAnswers : {true, false}) {
        testing::ManualExecutor worker;
        testing::ManualMainQueue main;
        std::vector<std::string> asked;
        SessionBusPreviewPanel panel(worker, main, [&](const std::string& url) {
            asked.push_back(url);
            return previewerAnswers;
        });
        std::optional<bool> heard;
        panel.show(Items({"file:///home/me/a.jpg"}), [&](bool answer) { heard = answer; });
        EXPECT_TRUE(asked.empty()) << "nothing is asked on the caller's thread";
        worker.runAll();
        EXPECT_EQ(asked, std::vector<std::string>{"file:///home/me/a.jpg"});
        EXPECT_FALSE(heard.has_value()) << "the answer waits for the main queue";
        main.drain();
        EXPECT_EQ(heard, previewerAnswers);
    }
}

TEST(SessionBusPreviewPanelTest, NothingToShowAsksNobody) {
    testing::ManualExecutor worker;
    testing::ManualMainQueue main;
    bool asked = false;
    SessionBusPreviewPanel panel(worker, main, [&](const std::string&) { return asked = true; });
    std::optional<bool> heard;
    panel.show(Items({}), [&](bool answer) { heard = answer; });
    EXPECT_EQ(worker.runAll(), 0u);
    main.drain();
    EXPECT_FALSE(asked);
    EXPECT_EQ(heard, false);
}

TEST(SessionBusPreviewPanelTest, WithoutASessionBusThePreviewerCannotBeAsked) {
    testing::TempDir dir;
    const char* before = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::optional<std::string> kept = before != nullptr ? std::optional<std::string>(before) : std::nullopt;
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (dir / "no-bus").string()).c_str(), 1);
    EXPECT_FALSE(askSessionPreviewer("file:///home/me/a.jpg"));
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_FALSE(askSessionPreviewer("file:///home/me/a.jpg"));
    if (kept) setenv("DBUS_SESSION_BUS_ADDRESS", kept->c_str(), 1);
}

}  // namespace
}  // namespace zentrel::platform
