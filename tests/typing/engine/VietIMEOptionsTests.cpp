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
