#include "platform/input/HeldKeys.hpp"

#include <gtest/gtest.h>

namespace zentrel::platform::x11 {
namespace {

using Route = HeldKeys::Route;

HeldKeys holding(std::initializer_list<unsigned> codes) {
    HeldKeys::Bits bits{};
    for (unsigned code : codes) bits[code / 8] = static_cast<char>(bits[code / 8] | (1 << (code % 8)));
    return HeldKeys(bits);
}

TEST(HeldKeysTest, AKeyTheUserHoldsIsNeitherPressedNorReleasedByAFix) {
    // 39 is held (the s of "class" as its fix is typed), 50 a held Shift, 255 the last code.
    const HeldKeys held = holding({39, 50, 255});
    struct Case {
        unsigned code;
        bool isModifier;
        Route route;
    };
    const Case cases[] = {
        {39, false, Route::spareCode},   {38, false, Route::ownKey},  {40, false, Route::ownKey},
        {50, true, Route::alreadyHeld},  {62, true, Route::ownKey},   {255, false, Route::spareCode},
        {256, false, Route::ownKey},
    };
    for (const auto& c : cases) EXPECT_EQ(held.route(c.code, c.isModifier), c.route) << c.code;
    EXPECT_EQ(HeldKeys().route(39, false), Route::ownKey) << "nothing held";
}

}  // namespace
}  // namespace zentrel::platform::x11
