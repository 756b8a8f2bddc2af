#include "platform/input/SpareKeyCodes.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

namespace zentrel::platform::x11 {
namespace {

using Choice = SpareKeyCodes::Choice;
using Mapping = SpareKeyCodes::Mapping;

constexpr SpareKeyCodes::Symbol unicode(char32_t c) { return 0x1000000 + c; }
constexpr auto kEAcuteCircumflex = unicode(U'ế');
constexpr auto kOAcuteCircumflex = unicode(U'ố');
constexpr auto kODotCircumflex = unicode(U'ộ');
constexpr SpareKeyCodes::Symbol kAGrave = 0xe0;  // à, a Latin-1 key symbol

// Typing a little slower than codes settle, unless a test says otherwise.
class Typist {
public:
    explicit Typist(SpareKeyCodes& spares) : spares_(spares) {}
    std::optional<Choice> type(SpareKeyCodes::Symbol symbol, std::chrono::milliseconds after = std::chrono::seconds(2)) {
        now_ += after;
        return spares_.choose(symbol, now_);
    }

private:
    SpareKeyCodes& spares_;
    SpareKeyCodes::Time now_ = SpareKeyCodes::Time{} + std::chrono::hours(1);
};

TEST(SpareKeyCodesTest, ACharacterTakesAnEmptyCodeAtBothLevelsAndKeepsIt) {
    SpareKeyCodes spares({200, 201});
    Typist typist(spares);
    EXPECT_EQ(typist.type(kEAcuteCircumflex), (Choice{200, Mapping{200, kEAcuteCircumflex, kEAcuteCircumflex}}));
    EXPECT_EQ(typist.type(kAGrave), (Choice{201, Mapping{201, kAGrave, kAGrave}}));
    EXPECT_EQ(typist.type(kEAcuteCircumflex), (Choice{200, std::nullopt})) << "no remap";
    EXPECT_EQ(spares.mappedCodes(), (std::vector<unsigned>{200, 201}));
    EXPECT_EQ(spares.mappings(), (std::vector<Mapping>{{200, kEAcuteCircumflex, kEAcuteCircumflex},
                                                       {201, kAGrave, kAGrave}}));
    EXPECT_TRUE(spares.isSpare(201));
    EXPECT_FALSE(spares.isSpare(38));
}

TEST(SpareKeyCodesTest, WhenCodesRunOutTheLeastUsedGoesAndNoLetterWaitsOnTheShiftLevel) {
    SpareKeyCodes spares({200, 201});
    Typist typist(spares);
    (void)typist.type(kEAcuteCircumflex);
    (void)typist.type(kEAcuteCircumflex);
    (void)typist.type(kAGrave);
    // ố takes à's code, the least used, alone at both levels: Shift is never pressed around it.
    EXPECT_EQ(typist.type(kOAcuteCircumflex), (Choice{201, Mapping{201, kOAcuteCircumflex, kOAcuteCircumflex}}));
    EXPECT_EQ(typist.type(kODotCircumflex), (Choice{201, Mapping{201, kODotCircumflex, kODotCircumflex}}));
}

TEST(SpareKeyCodesTest, ACodeTypedWithinASecondKeepsItsCharacter) {
    using std::chrono::milliseconds;
    SpareKeyCodes spares({200, 201});
    Typist typist(spares);
    (void)typist.type(kAGrave);  // 200
    (void)typist.type(kAGrave);
    (void)typist.type(kEAcuteCircumflex);  // 201, the least used
    EXPECT_EQ(typist.type(kOAcuteCircumflex, milliseconds(10))->code, 200U) << "201 was typed just now";
    // Both were typed just now: the one typed longest ago goes.
    EXPECT_EQ(typist.type(kODotCircumflex, milliseconds(10)),
              (Choice{201, Mapping{201, kODotCircumflex, kODotCircumflex}}));
}

TEST(SpareKeyCodesTest, WithoutSpareCodesNothingCanBeTyped) {
    SpareKeyCodes spares({});
    EXPECT_EQ(spares.choose(kEAcuteCircumflex, SpareKeyCodes::Time{}), std::nullopt);
}

}  // namespace
}  // namespace zentrel::platform::x11
