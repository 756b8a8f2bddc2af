#include "ui/main/QuickLookHelper.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace zentrel::ui {
namespace {

class RecordingPanel final : public platform::PreviewPanel {
public:
    void show(const platform::PreviewDataSource& dataSource, Done done) override {
        counts.push_back(dataSource.numberOfPreviewItems());
        urls.push_back(dataSource.previewItemURL(3));
        done(true);
    }
    std::vector<std::size_t> counts;
    std::vector<std::string> urls;
};

TEST(QuickLookHelperTest, EachPreviewReplacesTheLastDataSource) {
    RecordingPanel panel;
    std::vector<bool> heard;
    const auto hear = [&](bool asked) { heard.push_back(asked); };
    QuickLookHelper::preview("/home/me/a b.jpg", &panel, hear);
    const auto first = QuickLookHelper::currentDataSource();
    QuickLookHelper::preview("/home/me/c.png", &panel, hear);
    EXPECT_NE(QuickLookHelper::currentDataSource(), first);
    EXPECT_EQ(panel.counts, (std::vector<std::size_t>{1, 1}));
    EXPECT_EQ(panel.urls, (std::vector<std::string>{"file:///home/me/a%20b.jpg", "file:///home/me/c.png"}))
        << "any index gives the one item";

    const auto kept = QuickLookHelper::currentDataSource();
    QuickLookHelper::preview("/home/me/d.png", nullptr, hear);
    EXPECT_EQ(QuickLookHelper::currentDataSource(), kept) << "no panel: nothing shown, nothing replaced";
    EXPECT_EQ(heard, (std::vector<bool>{true, true, false}));
}

}  // namespace
}  // namespace zentrel::ui
