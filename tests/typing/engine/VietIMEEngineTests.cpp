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

using Method = VietInputMethod;

struct Typed {
    Method method;
    const char* keys;
    const char* expected;
};

void expectTyped(std::initializer_list<Typed> cases, const std::function<void(Options&)>& tune = {}) {
    for (const auto& c : cases) EXPECT_EQ(typed(c.keys, c.method, tune), c.expected) << c.keys;
}

TEST(VietIMEEngineTest, ToneKeyBeforeTheFinalOrInsideTheVowels) {
    expectTyped({
        {Method::telex, "asc", "ác"},          {Method::telex, "tieesng", "tiếng"}, {Method::telex, "vieejt", "việt"},
        {Method::telex, "rowjt", "rợt"},       {Method::telex, "keesch", "kếch"},   {Method::telex, "bowsi", "bới"},
        {Method::telex, "huwju", "hựu"},       {Method::telex, "ruwowsi", "rưới"},  {Method::telex, "Tieesng", "Tiếng"},
        {Method::telex, "VIEEJT ", "VIỆT "},   {Method::telex, "test ", "tét "},    {Method::vni, "tie61ng", "tiếng"},
        {Method::viqr, "vie^.t", "việt"},
    });
}

TEST(VietIMEEngineTest, DoubledDAfterACapital) {
    expectTyped({
        {Method::telex, "DDaats", "Đất"}, {Method::telex, "DDa ", "Đa "},     {Method::telex, "DDAATS", "ĐẤT"},
        {Method::viqr, "DDu+'c", "Đức"},  {Method::telex, "McKinsey", "McKinsey"}, {Method::telex, "iPhone ", "iPhone "},
    });
}

TEST(VietIMEEngineTest, UoTakesItsHornOnceAFinalOrGlideFollows) {
    expectTyped({
        {Method::telex, "thuowr", "thuở"},   {Method::telex, "huow ", "huơ "},    {Method::telex, "khuow", "khuơ"},
        {Method::telex, "nguowif", "người"}, {Method::telex, "dduowcj", "được"},  {Method::telex, "muowif", "mười"},
        {Method::telex, "quowr", "quở"},     {Method::vni, "thuo73", "thuở"},     {Method::vni, "buo7c1", "bước"},
        {Method::vni, "nguo7i2", "người"},   {Method::vni, "luo7n", "lươn"},      {Method::viqr, "luo+n", "lươn"},
        {Method::telex, "NGUOWIF", "NGƯỜI"},
    });
}

TEST(VietIMEEngineTest, ToneMovesWhenTheSyllableGrows) {
    const std::initializer_list<Typed> cases = {
        {Method::vni, "loa5i", "loại"},  {Method::vni, "soa1n", "soán"},  {Method::vni, "boo1ng", "boóng"},
        {Method::telex, "hoafn", "hoàn"}, {Method::telex, "Hoafn", "Hoàn"},
    };
    expectTyped(cases);
    expectTyped(cases, [](Options& o) { o.toneRule = VietToneRule::modern; });
    expectTyped({{Method::telex, "hoaf", "hòa"}, {Method::telex, "thuyr", "thủy"}});
    expectTyped({{Method::telex, "hoaf", "hoà"}, {Method::telex, "thuyr", "thuỷ"}},
                [](Options& o) { o.toneRule = VietToneRule::modern; });
}

TEST(VietIMEEngineTest, StandaloneWAtTheEndOfASyllable) {
    expectTyped({
        {Method::telex, "nhw ", "như "}, {Method::telex, "thw.", "thư."}, {Method::telex, "Tw ", "Tư "},
        {Method::telex, "bww ", "bww "},
    });
}

TEST(VietIMEEngineTest, NeitherEnglishNorASyllableIsWrittenBackAtTheBreak) {
    expectTyped({
        {Method::telex, "their ", "their "}, {Method::telex, "know ", "know "},   {Method::telex, "screen ", "screen "},
        {Method::telex, "use ", "use "},     {Method::telex, "saw ", "saw "},     {Method::telex, "tiesng ", "tiesng "},
        {Method::telex, "vieeft ", "vieeft "}, {Method::vni, "u1e ", "u1e "},
        // A tone a stop final cannot take, a tone key typed again later, d after an English word.
        {Method::telex, "hertz ", "hertz "}, {Method::telex, "texts ", "texts "}, {Method::telex, "asks ", "asks "},
        {Method::telex, "deed ", "deed "},
        // A tone key typed twice leaves no syllable: the keys come back as typed.
        {Method::telex, "class ", "class "}, {Method::telex, "glass ", "glass "}, {Method::telex, "dress ", "dress "},
        {Method::telex, "kiss ", "kiss "},   {Method::telex, "cross ", "cross "}, {Method::telex, "miss ", "miss "},
        {Method::telex, "boss ", "boss "},   {Method::telex, "less ", "less "},   {Method::telex, "guess ", "guess "},
        {Method::telex, "Class.", "Class."}, {Method::vni, "a11 ", "a1 "},
        // A doubled vowel or d key keeps what it typed.
        {Method::telex, "aaa ", "aa "},      {Method::telex, "ddd ", "dd "},
        // A letter on its own stays.
        {Method::telex, "dd ", "đ "},       {Method::vni, "a6 ", "â "},         {Method::telex, "AW.", "Ă."},
    });
}

TEST(VietIMEEngineTest, TheEscapesWriteBackHoldsAtEveryEndOfAWordNotOnlyAtABreaker) {
    // The word as shown while composing (what a focus change makes final)
    // and at the end of input (Return, the end of the keys).
    const std::tuple<const char*, const char*> cases[] = {
        {"glass", "glass"}, {"class", "class"}, {"Boss", "Boss"}, {"guess", "guess"},
        {"vieetj", "việt"}, {"ass", "ass"},     {"aaa", "aa"},    {"nguowif", "người"},
    };
    for (const auto& [keys, expected] : cases) {
        VietIMEEngine engine;
        VietTypingSession session(engine);
        session.type(keys);
        EXPECT_EQ(engine.settledWord(), expected) << keys;
        session.finish();
        EXPECT_EQ(session.text(), expected) << keys;
        EXPECT_TRUE(engine.word().empty()) << keys;
    }
    // Delete takes the last key of the word as shown.
    VietIMEEngine engine;
    feed(engine, U"glass");
    engine.handleBackspace();
    EXPECT_EQ(engine.settledWord(), "glas");
}

TEST(VietIMEEngineTest, WordsWithoutAnOnset) {
    expectTyped({
        {Method::telex, "uoongs", "uống"}, {Method::telex, "yeeu", "yêu"}, {Method::telex, "uowcs", "ước"},
        {Method::telex, "Uees", "Uế"},     {Method::vni, "uo7c1", "ước"},  {Method::viqr, "ye^u", "yêu"},
    });
}

// Keys, then Delete, then more keys, as a client types them.
std::string typedWithDelete(std::string_view before, std::string_view after, Method method = Method::telex) {
    VietIMEEngine engine;
    engine.inputMethod = method;
    VietTypingSession session(engine);
    session.type(before);
    session.backspace();
    session.type(after);
    return session.text();
}

TEST(VietIMEEngineTest, DeleteKeepsTheKeysOfWhatRemains) {
    const std::tuple<Method, const char*, const char*, const char*> cases[] = {
        {Method::telex, "ddepj", "p", "đẹp"},      {Method::telex, "ddepj", " ", "đẹ "},
        {Method::telex, "vieetj", "t", "việt"},    {Method::telex, "tieesng", "g", "tiếng"},
        {Method::telex, "DDaats", "t", "Đất"},     {Method::telex, "nguowif", "i", "người"},
        {Method::vni, "d9e5p", "p", "đẹp"},        {Method::viqr, "dde.p", "p", "đẹp"},
        {Method::telex, "hello", "p", "hellp"},    {Method::telex, "Vieetk", "j", "Việt"},
        {Method::telex, "Vieetk", "s ", "Viết "},  {Method::telex, "Vieetk", "n", "Vieetn"},
        {Method::telex, "Vieetk", " ", "Vieet "},  {Method::telex, "choaif", "ng", "choàng"},
        {Method::telex, "choaif", " ", "choà "},
    };
    for (const auto& [method, before, after, expected] : cases) {
        EXPECT_EQ(typedWithDelete(before, after, method), expected) << before << " then Delete then " << after;
    }

    VietIMEEngine engine;
    feed(engine, U"ddepj");
    engine.handleBackspace();
    EXPECT_EQ(engine.wordOutput(), "đẹ");
    EXPECT_EQ(engine.rawInput(), "ddej");
}

TEST(VietIMEEngineTest, EnglishWordsStayAsTyped) {
    for (const char* keys : {"window", "hello", "fas", "Windows", "iPhone", "their ", "classes"}) {
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
    EXPECT_EQ(engine.rawInput(), "viees") << "the keys of the deleted letter go, the tone key stays";
    EXPECT_EQ(engine.wordOutput(), "viế");

    engine.reset();
    feed(engine, U"vieetj");
    EXPECT_EQ(engine.restoreRawWord(), (IMEResult{4, "vieetj"}));
    EXPECT_EQ(engine.restoreRawWord(), std::nullopt);

    // A word with a mark that is no syllable is written back at the break.
    engine.reset();
    engine.options.instantRestoreInvalidSpelling = false;
    feed(engine, U"tiesng");
    EXPECT_EQ(engine.processChar(U' '), (IMEResult{5, "tiesng"}));

    engine.reset();
    engine.options = VietIMEOptions::defaultOptions;
    engine.options.skipTransformForEnglish = false;
    feed(engine, U"tiesng");
    EXPECT_EQ(engine.processChar(U' '), std::nullopt) << "nothing is restored without foreign-word detection";
}

}  // namespace
}  // namespace zentrel::typing
