#include "typing/engine/VietIMEOptions.hpp"
#include "typing/engine/VietInputMethod.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zentrel::typing {
namespace {

TEST(VietIMEOptionsTest, DefaultRecordRoundTripsWithExactlyTwelveKeysInFieldOrder) {
    auto encoded = encodeOptions(VietIMEOptions::defaultOptions);
    ASSERT_EQ(encoded.size(), 12u);
    std::vector<std::string> keys;
    for (auto& [key, value] : encoded.items()) keys.push_back(key);
    EXPECT_EQ(keys.front(), "repeatKeyEscape");
    EXPECT_EQ(keys[4], "toneRule");
    EXPECT_EQ(keys.back(), "allowRawRestore");
    EXPECT_EQ(decodeOptions(encoded), VietIMEOptions::defaultOptions);
    EXPECT_EQ(encoded.dump(),
              R"({"repeatKeyEscape":true,"standaloneW":true,"simplifiedTelex":false,"clearToneKey":true,)"
              R"("toneRule":"classic","quickTelex":false,"consonantShortcuts":false,"skipTransformForEnglish":true,)"
              R"("restoreOnWordBreak":true,"instantRestoreInvalidSpelling":true,"respectProperNounCaps":true,)"
              R"("allowRawRestore":true})");
}

TEST(VietIMEOptionsTest, IntegrationModeTextsAreTheSystemsOwn) {
    EXPECT_EQ(label(VietIMEIntegrationMode::cgEvent), "CGEvent (mặc định)");
    EXPECT_EQ(detail(VietIMEIntegrationMode::cgEvent), "Gõ qua Accessibility — không cần cài IME, phù hợp mọi app.");
    EXPECT_EQ(label(VietIMEIntegrationMode::imkit), "Input Method Kit");
    EXPECT_EQ(detail(VietIMEIntegrationMode::imkit), "Marked text native — ít nhấp nháy, cần cài và chọn Zentrel IME.");
    EXPECT_EQ(label(VietIMEIntegrationMode::hybrid), "Tự động (IMKit + CGEvent)");
    EXPECT_EQ(detail(VietIMEIntegrationMode::hybrid), "Dùng IMKit khi đã chọn; fallback CGEvent khi chưa bật IME.");
}

TEST(VietIMEOptionsTest, DecodingIsStrict) {
    VietIMEOptions changed;
    changed.quickTelex = true;
    changed.toneRule = VietToneRule::modern;
    auto json = nlohmann::json::parse(encodeOptions(changed).dump());
    EXPECT_EQ(decodeOptions(json), changed);

    auto missing = json;
    missing.erase("allowRawRestore");
    EXPECT_EQ(decodeOptions(missing), std::nullopt);

    auto capital = json;
    capital["toneRule"] = "Modern";
    EXPECT_EQ(decodeOptions(capital), std::nullopt);

    auto number = json;
    number["standaloneW"] = 1;
    EXPECT_EQ(decodeOptions(number), std::nullopt);

    auto extra = json;
    extra["thirteenth"] = true;
    EXPECT_EQ(decodeOptions(extra), changed);
}

TEST(VietIMEOptionsTest, RawTextsAreCaseSensitive) {
    EXPECT_EQ(integrationModeFromRaw("imkit"), VietIMEIntegrationMode::imkit);
    EXPECT_EQ(integrationModeFromRaw("IMKit"), std::nullopt);
    EXPECT_EQ(inputMethodFromRaw("VNI"), VietInputMethod::vni);
    EXPECT_EQ(inputMethodFromRaw("vni"), std::nullopt);
    EXPECT_EQ(vietToneRuleFromRaw("classic"), VietToneRule::classic);
}

}  // namespace
}  // namespace zentrel::typing
