#include "platform/input/SpareCodeMarks.hpp"

#include <gtest/gtest.h>

#include <map>

namespace zentrel::platform::x11 {
namespace {

using Mapping = SpareKeyCodes::Mapping;

constexpr SpareKeyCodes::Symbol kDotBelowA = 0x1001ea1;       // ạ
constexpr SpareKeyCodes::Symbol kDotBelowCircumE = 0x1001ec7;  // ệ
constexpr SpareKeyCodes::Symbol kHookO = 0x10001a1;            // ơ

TEST(SpareCodeMarksTest, ANameBelongsToTheRunItNames) {
    EXPECT_EQ(spareCodeMarkOwner(spareCodeMarkName(4321)), 4321);
    for (const char* other : {"_ZENTREL_SPARE_KEY_CODES_", "_ZENTREL_SPARE_KEY_CODES_12x", "_ZENTREL_SPARE_KEY_CODES_-3",
                              "_NET_WM_NAME", "_ZENTREL_SPARE_KEY_CODES"}) {
        EXPECT_EQ(spareCodeMarkOwner(other), std::nullopt) << other;
    }
}

TEST(SpareCodeMarksTest, AMarkReadsBackAsWrittenAndDamagedOnesAreRefused) {
    const SpareCodeMark mark{77, {{200, kDotBelowA, kDotBelowA}, {201, kHookO, kDotBelowCircumE}}};
    EXPECT_EQ(decodeSpareCodeMark(encodeSpareCodeMark(mark)), mark);
    EXPECT_EQ(decodeSpareCodeMark({77}), (SpareCodeMark{77, {}}));
    const std::vector<std::vector<long>> damaged = {
        {}, {0, 200, 1, 1}, {77, 200, 1}, {77, 300, 1, 1}, {77, 200, 0, 1}, {77, 0, 1, 1}};
    for (const auto& values : damaged) EXPECT_EQ(decodeSpareCodeMark(values), std::nullopt) << values.size();
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

TEST(SpareCodeMarksTest, OnlyCodesThatStillHoldTheMarkedLettersAreFreedAndOnlyEmptiedOnesAreMappedAgain) {
    const SpareCodeMark mark{77, {{200, kDotBelowA, kDotBelowA}, {201, kHookO, kDotBelowCircumE}, {202, kHookO, kHookO},
                                  {203, kDotBelowA, kDotBelowA}}};
    MapDouble map;
    map.codes[200] = {kDotBelowA, kDotBelowA, false};  // still as marked
    map.codes[201] = {kHookO, kHookO, false};          // remapped since by someone else
    map.codes[202] = {0x61, 0x41, false};              // a new layout's key
    // 203 was emptied by a reload
    EXPECT_EQ(codesStillMarked(mark, map.levels()), std::vector<unsigned>{200});
    EXPECT_EQ(mappingsEmptied(mark, map.levels()), (std::vector<Mapping>{{203, kDotBelowA, kDotBelowA}}));
}

}  // namespace
}  // namespace zentrel::platform::x11
