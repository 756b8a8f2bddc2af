#include "platform/input/X11KeyTranslation.hpp"

#include <gtest/gtest.h>

namespace zentrel::platform::x11 {
namespace {

constexpr unsigned kShift = 1;    // ShiftMask
constexpr unsigned kLock = 2;     // LockMask
constexpr unsigned kControl = 4;  // ControlMask
constexpr unsigned kAlt = 8;      // Mod1Mask
constexpr unsigned kSuper = 64;   // Mod4Mask

TEST(X11KeyTranslationTest, KeysBecomeTheBridgeKeyCodesAndText) {
    struct Case {
        KeySymbol keysym;
        int keyCode;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {'a', -1, u"a"},       {'V', 9, u"V"},          {'v', 9, u"v"},        {'~', -1, u"~"},
        {0xe9, -1, u"\u00e9"}, {0x1001ec7, -1, u"ệ"},  {0x101f600, -1, u"\U0001F600"},
        {0xff08, 51, u""},     {0xff0d, 36, u""},        {0xff09, 48, u""},     {0xff1b, 53, u""},
        {0xff51, 123, u""},    {0xffff, 117, u""},       {0xffb7, -1, u"7"},    {0xffbe, -1, u""},  // F1
    };
    for (const auto& c : cases) {
        const auto event = tapEventForKey(true, c.keysym, 0);
        EXPECT_EQ(event.type, TapEventType::keyDown) << c.keysym;
        EXPECT_EQ(event.keyCode, c.keyCode) << c.keysym;
        EXPECT_EQ(event.unicode, c.text) << c.keysym;
    }
}

TEST(X11KeyTranslationTest, ModifierKeysReportTheFlagsAfterTheChange) {
    EXPECT_EQ(tapFlags(kShift | kControl | kAlt | kSuper | kLock),
              modifier::shift | modifier::control | modifier::option | modifier::command);
    const auto shiftDown = tapEventForKey(true, 0xffe1, 0);
    EXPECT_EQ(shiftDown.type, TapEventType::flagsChanged);
    EXPECT_EQ(shiftDown.flags, modifier::shift);
    const auto shiftUp = tapEventForKey(false, 0xffe1, kShift | kControl);
    EXPECT_EQ(shiftUp.flags, modifier::control);
    EXPECT_EQ(shiftDown.keyCode, 56);
    EXPECT_EQ(tapEventForKey(false, 0xffe2, kShift).keyCode, 60) << "the right Shift";
    const auto capsLock = tapEventForKey(true, 0xffe5, 0);
    EXPECT_EQ(capsLock.type, TapEventType::flagsChanged);
    EXPECT_EQ(capsLock.keyCode, 57);
    EXPECT_EQ(tapEventForKey(true, 0xffe3, 0).keyCode, -1) << "Control is no key of its own here";
    EXPECT_EQ(tapEventForKey(false, 'a', 0).type, TapEventType::other) << "releases of other keys are not reported";
    EXPECT_EQ(tapEventForKey(true, 'v', kShift | kControl).flags, modifier::shift | modifier::control);
}

TEST(X11KeyTranslationTest, ButtonsAndCharactersToType) {
    EXPECT_EQ(tapEventForButton(1).type, TapEventType::leftMouseDown);
    EXPECT_EQ(tapEventForButton(3).type, TapEventType::rightMouseDown);
    EXPECT_EQ(tapEventForButton(4).type, TapEventType::other) << "the wheel";
    EXPECT_EQ(keysymForCharacter(U'a'), 'a');
    EXPECT_EQ(keysymForCharacter(U'\u00e0'), 0xe0u);
    EXPECT_EQ(keysymForCharacter(U'ế'), 0x1001ebfu);
}

}  // namespace
}  // namespace zentrel::platform::x11
