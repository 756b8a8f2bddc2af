#include "platform/SpareKeyCodes.hpp"

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
constexpr auto kCapitalEAcuteCircumflex = unicode(U'Ế');
constexpr SpareKeyCodes::Symbol kAGrave = 0xe0;  // à, a Latin-1 key symbol

// Typing a little slower than codes settle, unless a test says otherwise.
class Typist {
public:
    explicit Typist(SpareKeyCodes& spares) : spares_(spares) {}
    std::optional<Choice> type(SpareKeyCodes::Symbol symbol, bool shiftHeld = false,
                               std::chrono::milliseconds after = std::chrono::seconds(2)) {
        now_ += after;
        return spares_.choose(symbol, shiftHeld, now_);
    }

private:
    SpareKeyCodes& spares_;
    SpareKeyCodes::Time now_ = SpareKeyCodes::Time{} + std::chrono::hours(1);
};

TEST(SpareKeyCodesTest, ACharacterTakesAnEmptyCodeAtBothLevelsAndKeepsIt) {
    SpareKeyCodes spares({200, 201});
    Typist typist(spares);
    EXPECT_EQ(typist.type(kEAcuteCircumflex, false),
              (Choice{200, false, Mapping{200, kEAcuteCircumflex, kEAcuteCircumflex}}));
    EXPECT_EQ(typist.type(kAGrave, true), (Choice{201, false, Mapping{201, kAGrave, kAGrave}}));
    EXPECT_EQ(typist.type(kEAcuteCircumflex, true), (Choice{200, false, std::nullopt})) << "no remap, Shift or not";
    EXPECT_EQ(typist.type(kAGrave, false), (Choice{201, false, std::nullopt}));
    EXPECT_EQ(spares.mappedCodes(), (std::vector<unsigned>{200, 201}));
    EXPECT_TRUE(spares.isSpare(201));
    EXPECT_FALSE(spares.isSpare(38));
}

TEST(SpareKeyCodesTest, WhenCodesRunOutVietnameseLettersShareOneWithShiftPressedForTheSecond) {
    SpareKeyCodes spares({200});
    Typist typist(spares);
    (void)typist.type(kEAcuteCircumflex, false);
    EXPECT_EQ(typist.type(kOAcuteCircumflex, false),
              (Choice{200, true, Mapping{200, kEAcuteCircumflex, kOAcuteCircumflex}}));
    EXPECT_EQ(typist.type(kOAcuteCircumflex, true), (Choice{200, false, std::nullopt})) << "Shift already held";
    EXPECT_EQ(typist.type(kOAcuteCircumflex, false), (Choice{200, true, std::nullopt}));
    EXPECT_EQ(typist.type(kEAcuteCircumflex, false), (Choice{200, false, std::nullopt}));
    // With Shift held, the letter without Shift cannot be typed there: it takes a place of its own.
    EXPECT_EQ(typist.type(kEAcuteCircumflex, true),
              (Choice{200, false, Mapping{200, kEAcuteCircumflex, kEAcuteCircumflex}}));
}

TEST(SpareKeyCodesTest, TheLeastUsedPlaceGoesAndOtherCharactersNeverShare) {
    SpareKeyCodes spares({200, 201});
    Typist typist(spares);
    (void)typist.type(kEAcuteCircumflex, false);
    (void)typist.type(kEAcuteCircumflex, false);
    for (int use = 0; use < 4; ++use) (void)typist.type(kAGrave, false);
    // ố joins ế; ộ then replaces ố, the least used place it may take.
    EXPECT_EQ(typist.type(kOAcuteCircumflex, false)->remap, (Mapping{200, kEAcuteCircumflex, kOAcuteCircumflex}));
    EXPECT_EQ(typist.type(kODotCircumflex, false)->remap, (Mapping{200, kEAcuteCircumflex, kODotCircumflex}));
    // A Latin-1 letter shares with nothing: the least used whole code goes (ế and ộ, three uses).
    constexpr SpareKeyCodes::Symbol kEGrave = 0xe8;
    EXPECT_EQ(typist.type(kEGrave, false), (Choice{200, false, Mapping{200, kEGrave, kEGrave}}));
}

TEST(SpareKeyCodesTest, OnlyVietnameseLettersShareAndNeverLowerCaseBelowUpperCase) {
    struct Case {
        SpareKeyCodes::Symbol withoutShift;
        SpareKeyCodes::Symbol withShift;
        bool shares;
    };
    const Case cases[] = {
        {kEAcuteCircumflex, kOAcuteCircumflex, true},
        {unicode(U'ă'), unicode(U'ư'), true},
        {unicode(U'đ'), unicode(U'ơ'), true},
        {kCapitalEAcuteCircumflex, kEAcuteCircumflex, true},
        {unicode(U'Ư'), unicode(U'ư'), true},
        // Caps Lock would choose between a letter's two cases.
        {kEAcuteCircumflex, kCapitalEAcuteCircumflex, false},
        {unicode(U'ư'), unicode(U'Ơ'), false},
        {kEAcuteCircumflex, kEAcuteCircumflex, false},
        // Latin-1 and layouts' own key symbols (abreve) are left alone.
        {kAGrave, kEAcuteCircumflex, false},
        {kEAcuteCircumflex, 0x1e3, false},
        {unicode(U'ƣ'), unicode(U'ư'), false},
        {0, kEAcuteCircumflex, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpareKeyCodes::canShare(c.withoutShift, c.withShift), c.shares) << std::hex << c.withoutShift << " "
                                                                                  << c.withShift;
    }
}

TEST(SpareKeyCodesTest, ALevelTypedWithinASecondKeepsItsCharacter) {
    using std::chrono::milliseconds;
    constexpr SpareKeyCodes::Symbol kEGrave = 0xe8;
    SpareKeyCodes spares({200, 201});
    Typist typist(spares);
    (void)typist.type(kAGrave);  // 200
    (void)typist.type(kAGrave);
    (void)typist.type(kEAcuteCircumflex);  // 201, the least used
    EXPECT_EQ(typist.type(kEGrave, false, milliseconds(10))->code, 200U) << "201 was typed just now";
    // ế was typed without Shift: its Shift level is free to take.
    EXPECT_EQ(typist.type(kOAcuteCircumflex, false, milliseconds(10)),
              (Choice{201, true, Mapping{201, kEAcuteCircumflex, kOAcuteCircumflex}}));
    // Every level in use was typed just now: the code typed longest ago goes.
    EXPECT_EQ(typist.type(kODotCircumflex, false, milliseconds(10))->remap,
              (Mapping{200, kODotCircumflex, kODotCircumflex}));

    // A letter typed with Shift held used the Shift level: nothing joins it for a second.
    SpareKeyCodes held({300, 301});
    Typist capitals(held);
    (void)capitals.type(kAGrave);
    (void)capitals.type(kEAcuteCircumflex, true);
    EXPECT_EQ(capitals.type(kOAcuteCircumflex, false, milliseconds(10))->remap,
              (Mapping{300, kOAcuteCircumflex, kOAcuteCircumflex}));
}

TEST(SpareKeyCodesTest, WithoutSpareCodesNothingCanBeTyped) {
    SpareKeyCodes spares({});
    EXPECT_EQ(spares.choose(kEAcuteCircumflex, false, SpareKeyCodes::Time{}), std::nullopt);
}

}  // namespace
}  // namespace zentrel::platform::x11
