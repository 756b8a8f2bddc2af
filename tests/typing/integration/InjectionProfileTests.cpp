#include "typing/integration/InjectionProfile.hpp"
#include "typing/integration/InjectionProfilePreset.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace zentrel::typing {
namespace {

using Json = nlohmann::ordered_json;

TEST(InjectionProfileTest, NamedProfilesCompareByValue) {
    EXPECT_EQ(InjectionProfile::electron, InjectionProfile::defaultProfile);
    EXPECT_NE(InjectionProfile::terminal, InjectionProfile::remotePaste);
    auto terminalAsPaste = InjectionProfile::terminal;
    terminalAsPaste.deliveryMode = InjectionDeliveryMode::paste;
    EXPECT_EQ(terminalAsPaste, InjectionProfile::remotePaste);
    EXPECT_EQ(InjectionProfile::webEditor.delays, InjectionDelays::webEditor);
    EXPECT_EQ(InjectionProfile::terminal.delays, (InjectionDelays{8000, 12000, 8000}));
    EXPECT_EQ(InjectionProfile::passthrough.policy, InputPolicy::disable);
    EXPECT_EQ(InjectionProfile::spotlightAX.delays, (InjectionDelays{3000, 5000, 3000}));
}

TEST(InjectionProfileTest, EveryNamedProfileRoundTripsThroughJsonText) {
    for (const auto& profile :
         {InjectionProfile::defaultProfile, InjectionProfile::terminal, InjectionProfile::webEditor,
          InjectionProfile::nativeChunked, InjectionProfile::passthrough, InjectionProfile::spotlightAX,
          InjectionProfile::remotePaste, InjectionProfile::browserAddressBar, InjectionProfile::webPopupSelection}) {
        auto text = encodeProfile(profile).dump();
        EXPECT_EQ(decodeProfile(Json::parse(text)), profile) << text;
    }
}

TEST(InjectionProfileTest, EncodingWritesEveryKeyWithCaseNames) {
    EXPECT_EQ(encodeProfile(InjectionProfile::webEditor).dump(),
              R"({"timing":"slow","textMode":"oneByOne",)"
              R"("delays":{"backspaceMicros":5000,"waitMicros":10000,"characterMicros":8000},)"
              R"("emptyCharPrefix":true,"useSessionPost":false,"deliveryMode":"cgEvent","policy":"enable"})");
}

TEST(InjectionProfileTest, DecodingRejectsMissingKeysWrongKindsAndUnknownCases) {
    const Json valid = encodeProfile(InjectionProfile::remotePaste);
    struct Case {
        const char* what;
        Json::json_pointer pointer;
        Json replacement;  // null: remove the key
    };
    const std::vector<Case> cases = {
        {"no policy", Json::json_pointer("/policy"), nullptr},
        {"no delays", Json::json_pointer("/delays"), nullptr},
        {"no wait", Json::json_pointer("/delays/waitMicros"), nullptr},
        {"lower-case case name", Json::json_pointer("/textMode"), "onebyone"},
        {"unknown delivery", Json::json_pointer("/deliveryMode"), "keys"},
        {"number for a Bool", Json::json_pointer("/emptyCharPrefix"), 1},
        {"text for a delay", Json::json_pointer("/delays/backspaceMicros"), "8000"},
        {"negative delay", Json::json_pointer("/delays/backspaceMicros"), -1},
        {"fractional delay", Json::json_pointer("/delays/characterMicros"), 1.5},
        {"delay above 32 bits", Json::json_pointer("/delays/waitMicros"), 4294967296ULL},
        {"delays not an object", Json::json_pointer("/delays"), Json::array({0, 0, 0})},
    };
    for (const auto& c : cases) {
        Json broken = valid;
        if (c.replacement.is_null()) {
            broken[c.pointer.parent_pointer()].erase(c.pointer.back());
        } else {
            broken[c.pointer] = c.replacement;
        }
        EXPECT_EQ(decodeProfile(broken), std::nullopt) << c.what;
    }
    EXPECT_EQ(decodeProfile(Json::array()), std::nullopt);
}

TEST(InjectionProfileTest, DecodingAcceptsTheLargestDelayAndIgnoresUnknownKeys) {
    Json json = encodeProfile(InjectionProfile::defaultProfile);
    json["delays"]["waitMicros"] = 4294967295ULL;
    json["comment"] = "ignored";
    auto decoded = decodeProfile(json);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->delays.waitMicros, 4294967295U);
}

TEST(InjectionProfileTest, EnumerationsReadOnlyTheirExactCaseNames) {
    for (auto value : kAllInjectionTimings) EXPECT_EQ(injectionTimingFromRaw(rawValue(value)), value);
    for (auto value : kAllTextSendingModes) EXPECT_EQ(textSendingModeFromRaw(rawValue(value)), value);
    for (auto value : kAllDeliveryModes) EXPECT_EQ(deliveryModeFromRaw(rawValue(value)), value);
    for (auto value : kAllInputPolicies) EXPECT_EQ(inputPolicyFromRaw(rawValue(value)), value);
    EXPECT_EQ(textSendingModeFromRaw("oneByOne"), TextSendingMode::oneByOne);
    EXPECT_EQ(textSendingModeFromRaw("onebyone"), std::nullopt);
    EXPECT_EQ(deliveryModeFromRaw("AXDirect"), std::nullopt);
    EXPECT_EQ(inputPolicyFromRaw(""), std::nullopt);
}

TEST(InjectionProfilePresetTest, PresetsInOrderWithLabelsAndProfiles) {
    struct Row {
        InjectionProfilePreset preset;
        std::string id;
        std::string label;
        InjectionProfile profile;
    };
    const std::vector<Row> rows = {
        {InjectionProfilePreset::automatic, "automatic", "Tự động (mặc định)", InjectionProfile::defaultProfile},
        {InjectionProfilePreset::slow, "slow", "Chậm — Terminal", InjectionProfile::terminal},
        {InjectionProfilePreset::passthrough, "passthrough", "Tắt bộ gõ", InjectionProfile::passthrough},
        {InjectionProfilePreset::axDirect, "axDirect", "AX Direct — Spotlight", InjectionProfile::spotlightAX},
        {InjectionProfilePreset::paste, "paste", "Dán clipboard — Remote", InjectionProfile::remotePaste},
        {InjectionProfilePreset::selection, "selection", "Chọn + gõ — Telegram Web",
         InjectionProfile::webPopupSelection},
        {InjectionProfilePreset::webEditor, "webEditor", "Web editor — Google Docs", InjectionProfile::webEditor},
    };
    ASSERT_EQ(kAllInjectionProfilePresets.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        EXPECT_EQ(kAllInjectionProfilePresets[i], row.preset) << row.id;
        EXPECT_EQ(presetID(row.preset), row.id);
        EXPECT_EQ(label(row.preset), row.label);
        EXPECT_EQ(profile(row.preset), row.profile) << row.id;
        EXPECT_EQ(injectionProfilePresetFromRaw(row.id), row.preset);
    }
    EXPECT_EQ(injectionProfilePresetFromRaw("Selection"), std::nullopt);
    EXPECT_EQ(kUserRulePriority, 420);
}

}  // namespace
}  // namespace zentrel::typing
