#include "typing/engine/VietIMEEngine.hpp"
#include "typing/engine/VietTypingSession.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace zentrel::typing {
namespace {

using Options = VietIMEOptions;

// What a client shows after the keys, typed through a fresh engine.
std::string typed(std::string_view keys, VietInputMethod method = VietInputMethod::telex,
                  const std::function<void(Options&)>& tune = {}) {
    VietIMEEngine engine;
    engine.inputMethod = method;
    if (tune) tune(engine.options);
    VietTypingSession session(engine);
    session.type(keys);
    return session.text();
}

void noForeignWords(Options& o) { o.skipTransformForEnglish = false; }

void feed(VietIMEEngine& engine, std::u32string_view keys) {
    for (char32_t key : keys) (void)engine.processChar(key);
}

TEST(VietIMEEngineTest, CommonWordsOfEachMethodWithTheDefaults) {
    const std::tuple<VietInputMethod, const char*, const char*> cases[] = {
        {VietInputMethod::telex, "vieetj", "việt"},    {VietInputMethod::telex, "tieengs", "tiếng"},
        {VietInputMethod::telex, "ddaay", "đây"},      {VietInputMethod::telex, "hoaf", "hòa"},
        {VietInputMethod::telex, "nguowif", "người"},  {VietInputMethod::telex, "dduowcj", "được"},
        {VietInputMethod::telex, "quowr", "quở"},      {VietInputMethod::telex, "Tieengs", "Tiếng"},
        {VietInputMethod::telex, "VIEETJ", "VIỆT"},    {VietInputMethod::telex, "xin chaof", "xin chào"},
        {VietInputMethod::telex, "vieetj nam ", "việt nam "},
        {VietInputMethod::vni, "vie65t", "việt"},       {VietInputMethod::vni, "tie6ng1", "tiếng"},
        {VietInputMethod::vni, "vie6t5", "việt"},       {VietInputMethod::vni, "d9u7o7c5", "được"},
        {VietInputMethod::viqr, "vie^.t", "việt"},      {VietInputMethod::viqr, "tie^'ng", "tiếng"},
        {VietInputMethod::viqr, "ddu+o+.c", "được"},
    };
    for (const auto& [method, keys, expected] : cases) EXPECT_EQ(typed(keys, method), expected) << keys;
    EXPECT_EQ(typed("hoaf", VietInputMethod::telex, [](Options& o) { o.toneRule = VietToneRule::modern; }), "hoà");
}

TEST(VietIMEEngineTest, EnglishWordsStayAsTyped) {
    for (const char* keys : {"test", "window", "hello", "fas", "Windows", "iPhone", "test "}) {
        EXPECT_EQ(typed(keys), keys) << keys;
    }
    EXPECT_EQ(typed("hello world", VietInputMethod::vni), "hello world");
    // Keys that are not letters stay inside a foreign word.
    EXPECT_EQ(typed("fa~b"), "fa~b");
    EXPECT_EQ(typed("wi^ndow", VietInputMethod::viqr), "wi^ndow");
}

TEST(VietIMEEngineTest, TelexRulesWithoutForeignWordDetection) {
    const auto off = noForeignWords;
    const auto noRepeat = [](Options& o) {
        o.skipTransformForEnglish = false;
        o.repeatKeyEscape = false;
    };
    const std::tuple<const char*, const char*, std::function<void(Options&)>> cases[] = {
        {"aa", "â", off},        {"aaa", "aa", off},    {"aaa", "a", noRepeat}, {"as", "á", off},
        {"ass", "as", off},      {"ass", "a", noRepeat}, {"dd", "đ", off},      {"ddd", "dd", off},
        {"dieeud", "điêu", off}, {"dad", "dad", off},    {"wa", "ưa", off},     {"w ", "w ", off},
        {"ww", "ww", off},       {"teez", "tê", off},    {"tesz", "te", off},   {"ddez", "de", off},
        {"dedz", "de", off},     {"uw", "ư", off},       {"uww", "uw", off},    {"nguowiw", "ngươiw", off},
        {"toio", "toio", off},   {"[a", "[a", off},       {"a]", "a]", off},
        {"ann", "ang", [](Options& o) { o.skipTransformForEnglish = false; o.quickTelex = true; }},
        {"fa", "pha", [](Options& o) { o.skipTransformForEnglish = false; o.consonantShortcuts = true; }},
        {"fa", "fa", [](Options& o) { o.consonantShortcuts = true; }},
        {"wa", "wa", nullptr},
    };
    for (const auto& [keys, expected, tune] : cases) EXPECT_EQ(typed(keys, VietInputMethod::telex, tune), expected) << keys;
}

TEST(VietIMEEngineTest, VniAndViqrRules) {
    const auto off = noForeignWords;
    EXPECT_EQ(typed("a61", VietInputMethod::vni, off), "ấ");
    EXPECT_EQ(typed("d9", VietInputMethod::vni, off), "đ");
    EXPECT_EQ(typed("d99", VietInputMethod::vni, off), "d9");
    EXPECT_EQ(typed("a10", VietInputMethod::vni, off), "a");
    EXPECT_EQ(typed("a11", VietInputMethod::vni, off), "a1");
    EXPECT_EQ(typed("a^'", VietInputMethod::viqr, off), "ấ");
    EXPECT_EQ(typed("dd", VietInputMethod::viqr, off), "đ");
}

TEST(VietIMEEngineTest, ViqrMarkKeysEndWordsOnlyWhereNoRuleTakesThem) {
    EXPECT_EQ(typed("ba.", VietInputMethod::viqr), "bạ");
    EXPECT_EQ(typed("ba. ", VietInputMethod::viqr), "bạ ");
    EXPECT_EQ(typed("o+ ", VietInputMethod::viqr), "ơ ");
    EXPECT_EQ(typed("hi?", VietInputMethod::viqr), "hỉ");
    EXPECT_EQ(typed("vie^.t. ", VietInputMethod::viqr), "việt. ") << "a key that would take its own tone off ends the word";
    EXPECT_EQ(typed(". ?", VietInputMethod::viqr), ". ?") << "at the start of a word they stay breakers";
    EXPECT_EQ(typed("bc. x", VietInputMethod::viqr), "bc. x") << "no rule applies after a consonant";
    EXPECT_EQ(typed("ba\\.", VietInputMethod::viqr), "ba.") << "a backslash types the key as it is";
    EXPECT_EQ(typed("ba\\^", VietInputMethod::viqr), "ba^");
    EXPECT_EQ(typed("ba\\n", VietInputMethod::viqr), "ba\\n");

    VietIMEEngine engine;
    engine.inputMethod = VietInputMethod::viqr;
    (void)engine.processChar(U'b');
    (void)engine.processChar(U'a');
    EXPECT_EQ(engine.processChar(U'.'), (IMEResult{2, "bạ"}));
    EXPECT_FALSE(engine.lastKeyEndedWord());
    EXPECT_EQ(engine.processChar(U'.'), (IMEResult{2, "ba."})) << "the same key again undoes the tone";
    EXPECT_EQ(engine.processChar(U','), std::nullopt);
    EXPECT_TRUE(engine.lastKeyEndedWord());
}

TEST(VietIMEEngineTest, WordBreaksBackspaceAndRawRestore) {
    VietIMEEngine engine;
    EXPECT_EQ(engine.processChar(U' '), std::nullopt);
    EXPECT_TRUE(engine.lastKeyEndedWord());
    EXPECT_EQ(engine.wordOutput(), "");

    feed(engine, U"viet");
    EXPECT_EQ(engine.processChar(U' '), std::nullopt) << "a word without marks stays";

    feed(engine, U"vieets");
    EXPECT_EQ(engine.wordOutput(), "viết");
    engine.handleBackspace();
    EXPECT_EQ(engine.rawInput(), "vieet");
    EXPECT_EQ(engine.wordOutput(), "viế");

    engine.reset();
    feed(engine, U"vieetj");
    EXPECT_EQ(engine.restoreRawWord(), (IMEResult{4, "vieetj"}));
    EXPECT_EQ(engine.restoreRawWord(), std::nullopt);

    // A word with a mark whose keys read as English is written back at the break.
    engine.reset();
    engine.options.instantRestoreInvalidSpelling = false;
    feed(engine, U"texst");
    EXPECT_EQ(engine.processChar(U' '), (IMEResult{3, "texst"}));

    engine.reset();
    engine.options = VietIMEOptions::defaultOptions;
    engine.options.skipTransformForEnglish = false;
    feed(engine, U"texst");
    EXPECT_EQ(engine.processChar(U' '), std::nullopt) << "nothing is restored without foreign-word detection";
}

}  // namespace
}  // namespace zentrel::typing
