#include "platform/input/SpareCodeMarks.hpp"

#include <gtest/gtest.h>

#include <map>

namespace zentrel::platform::x11 {
namespace {

using Mapping = SpareKeyCodes::Mapping;

constexpr SpareKeyCodes::Symbol kDotBelowA = 0x1001ea1;       // ạ
constexpr SpareKeyCodes::Symbol kDotBelowCircumE = 0x1001ec7;  // ệ
constexpr SpareKeyCodes::Symbol kHookO = 0x10001a1;            // ơ

const RunIdentity kSession = runIdentity(1000, "desk", "3");

TEST(SpareCodeMarksTest, ANameBelongsToTheRunItNames) {
    EXPECT_EQ(spareCodeMarkOwner(spareCodeMarkName(4321, 0x1200001)), 4321);
    EXPECT_EQ(spareCodeMarkOwner("_ZENTREL_SPARE_KEY_CODES_4321"), 4321) << "a name of the older version";
    for (const char* other : {"_ZENTREL_SPARE_KEY_CODES_", "_ZENTREL_SPARE_KEY_CODES_12x", "_ZENTREL_SPARE_KEY_CODES_-3",
                              "_ZENTREL_SPARE_KEY_CODES_12_", "_ZENTREL_SPARE_KEY_CODES_12_x", "_NET_WM_NAME",
                              "_ZENTREL_SPARE_KEY_CODES"}) {
        EXPECT_EQ(spareCodeMarkOwner(other), std::nullopt) << other;
    }
}

TEST(SpareCodeMarksTest, AMarkReadsBackAsWrittenAndDamagedOnesAreRefused) {
    const SpareCodeMark mark{77, 0x1200001, kSession, {{200, kDotBelowA, kDotBelowA}, {201, kHookO, kDotBelowCircumE}}};
    EXPECT_EQ(decodeSpareCodeMark(encodeSpareCodeMark(mark)), mark);
    // A mark of the older version names no writer and no window.
    EXPECT_EQ(decodeSpareCodeMark({77, 200, 1, 1}), (SpareCodeMark{77, 0, std::nullopt, {{200, 1, 1}}}));
    const auto written = encodeSpareCodeMark(mark);
    const std::vector<std::vector<long>> damaged = {
        {}, {0, 200, 1, 1}, {77, 200, 1}, {77, 300, 1, 1}, {77, 200, 0, 1}, {77, 0, 1, 1},
        {written.begin(), written.begin() + 4}, {written.begin(), written.end() - 1}};
    for (const auto& values : damaged) EXPECT_EQ(decodeSpareCodeMark(values), std::nullopt) << values.size();
}

TEST(SpareCodeMarksTest, OnlyAMarkOfThisSessionWhoseConnectionIsGoneCountsAsEnded) {
    struct Case {
        const char* what;
        SpareCodeMark mark;
        bool writerConnected;
        bool ended;
    };
    const std::vector<Case> table = {
        {"this session's, its window gone", {77, 0x1200001, kSession, {}}, false, true},
        {"a run in another namespace: its window is there", {77, 0x1200001, kSession, {}}, true, false},
        {"another session's", {77, 0x1200001, runIdentity(1000, "desk", "4"), {}}, false, false},
        {"another host's", {77, 0x1200001, runIdentity(1000, "other", "3"), {}}, false, false},
        {"another user's", {77, 0x1200001, runIdentity(1001, "desk", "3"), {}}, false, false},
        {"of the older version", {77, 0, std::nullopt, {}}, false, false},
    };
    for (const auto& [what, mark, connected, ended] : table)
        EXPECT_EQ(isMarkOfEndedRun(mark, kSession, connected), ended) << what;
}

// A display's key map as the marks see it: codes not listed are empty.
struct MapDouble {
    std::map<unsigned, KeyLevels> codes;
    [[nodiscard]] KeyLevelsOf levels() const {
        return [this](unsigned code) {
            const auto found = codes.find(code);
            return found == codes.end() ? KeyLevels{} : found->second;
        };
    }
};

TEST(SpareCodeMarksTest, OnlyCodesThatStillHoldTheMarkedLettersAndNoKeyOfTheLayoutUsesAreFreed) {
    const SpareCodeMark mark{77, 0x1200001, kSession,
                             {{200, kDotBelowA, kDotBelowA}, {201, kHookO, kDotBelowCircumE}, {202, kHookO, kHookO},
                              {203, kDotBelowA, kDotBelowA}, {38, 0x61, 0x41}, {67, 0xffbe, 0xffbe}}};
    MapDouble map;
    map.codes[200] = {kDotBelowA, kDotBelowA, false};  // still as marked
    map.codes[201] = {kHookO, kHookO, false};          // remapped since by someone else
    map.codes[202] = {0x61, 0x41, false};              // a new layout's key
    map.codes[38] = {0x61, 0x41, false};               // the layout's "a", named by a forged mark
    map.codes[67] = {0xffbe, 0xffbe, false};           // the layout's F1, the same at both levels
    // 203 was emptied by a reload
    const auto layoutUses = [](unsigned code) { return code < 100; };
    EXPECT_EQ(codesStillMarked(mark, map.levels(), layoutUses), std::vector<unsigned>{200});
    EXPECT_EQ(codesStillMarked(mark, map.levels(), [](unsigned) { return true; }), std::vector<unsigned>{})
        << "a layout that cannot be read uses every code";
    EXPECT_EQ(mappingsEmptied(mark, map.levels()), (std::vector<Mapping>{{203, kDotBelowA, kDotBelowA}}));
}

}  // namespace
}  // namespace zentrel::platform::x11
