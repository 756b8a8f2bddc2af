#include "services/updates/NetworkAppcastTransport.hpp"

#include "services/updates/AppcastParser.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::services {
namespace {

TEST(NetworkAppcastTransportTest, ReadsFilesByPathOrFileAddress) {
    testing::TempDir dir;
    auto file = dir.write("feed/appcast.xml", "<rss/>");
    for (const auto& url : {file.string(), "file://" + file.string()}) {
        auto result = NetworkAppcastTransport::fetchNow(url);
        EXPECT_EQ(result.document, "<rss/>") << url << ": " << result.error;
    }
}

TEST(NetworkAppcastTransportTest, FailuresCarryAMessage) {
    testing::TempDir dir;
    auto huge = dir.write("huge.xml", "");
    std::filesystem::resize_file(huge, kMaxAppcastBytes + 1);
    struct Case {
        std::string url;
        const char* errorPart;
    };
    const Case cases[] = {
        {(dir / "missing.xml").string(), "Could not read"},
        {huge.string(), "too large"},
        {"ftp://example.org/appcast.xml", "Unsupported"},
        {"appcast.xml", "Unsupported"},
        {"http://127.0.0.1:1/releases/appcast.xml", "Could not download"},
    };
    for (const auto& c : cases) {
        auto result = NetworkAppcastTransport::fetchNow(c.url);
        EXPECT_FALSE(result.document.has_value()) << c.url;
        EXPECT_NE(result.error.find(c.errorPart), std::string::npos) << c.url << ": " << result.error;
    }
}

TEST(NetworkAppcastTransportTest, FetchRunsOnTheExecutor) {
    testing::TempDir dir;
    auto file = dir.write("appcast.xml", "<rss/>");
    testing::ManualExecutor executor;
    NetworkAppcastTransport transport(executor);
    std::optional<AppcastFetchResult> answer;
    transport.fetch(file.string(), [&](AppcastFetchResult r) { answer = std::move(r); });
    EXPECT_FALSE(answer.has_value());
    executor.drain();
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->document, "<rss/>");
}

}  // namespace
}  // namespace zentrel::services
