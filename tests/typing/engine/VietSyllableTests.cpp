#include "typing/engine/VietRhymes.hpp"
#include "typing/engine/VietSyllable.hpp"
#include "typing/engine/VietText.hpp"

#include <gtest/gtest.h>

namespace zentrel::typing {
namespace {

std::u32string u(std::string_view utf8) { return toUtf32(utf8); }

TEST(VietSyllableTest, WellFormedSyllables) {
    for (const char* word : {"a", "đi", "giường", "chào", "oai", "quyền", "khuyên", "nghiêng", "ngoai", "xoong",
                             "Việt", "TIẾNG"}) {
        EXPECT_TRUE(VietSyllable::isValidVietnameseSyllable(u(word))) << word;
    }
    for (const char* word : {"", "x", "xyz", "test", "café", "boutique", "a1", "hello"}) {
        EXPECT_FALSE(VietSyllable::isValidVietnameseSyllable(u(word))) << word;
    }
}

TEST(VietSyllableTest, OnsetRhymeAndToneMustFit) {
    // gi and qu read both ways; k, gh, ngh only before i, e, ê (and k before y).
    for (const char* word : {"giữ", "gìn", "giếng", "quýt", "huýt", "kỹ", "ghế", "nghe", "uống", "yêu", "thuở",
                             "người", "tét", "đât", "ĐẤT"}) {
        EXPECT_TRUE(VietSyllable::isValidVietnameseSyllable(u(word))) << word;
    }
    const char* wrong[] = {
        "thẻi", "úe", "knơ", "scrên", "să",  // vowel group, onset, ă without a final
        "ce", "ka", "ghá", "nge", "trýt",   // spelling of the onset before the rhyme
        "tẽt", "hỏp", "việtt", "viếtj",     // a stop final takes only sắc or nặng; one final, one tone
    };
    for (const char* word : wrong) EXPECT_FALSE(VietSyllable::isValidVietnameseSyllable(u(word))) << word;
}

TEST(VietSyllableTest, RhymesWholeAndInProgress) {
    for (const char* rhyme : {"iêng", "ươi", "oăng", "uyêt", "a", "uơ"}) EXPECT_TRUE(VietRhymes::isRhyme(u(rhyme))) << rhyme;
    for (const char* rhyme : {"ieng", "ei", "ue", "ươ", "uâ", ""}) EXPECT_FALSE(VietRhymes::isRhyme(u(rhyme))) << rhyme;
    // Plain vowels may still take their marks.
    for (const char* start : {"ieng", "ue", "uo", "ă", "ac", "uyê"}) EXPECT_TRUE(VietRhymes::canBecomeRhyme(u(start))) << start;
    for (const char* start : {"ei", "eu n", "ou", "ax", "iêngg"}) EXPECT_FALSE(VietRhymes::canBecomeRhyme(u(start))) << start;
    EXPECT_TRUE(VietSpellingChecker::isValidTypingSequence(u("")));
}

TEST(VietSyllableTest, WordsInProgress) {
    for (const char* word : {"", "ngh", "toan", "bla", "tr", "vie", "úe", "uo", "kếc", "viêt"}) {
        EXPECT_TRUE(VietSpellingChecker::canBeVietnameseInProgress(u(word))) << word;
    }
    for (const char* word : {"tex", "hello", "a1", "n1", "thei", "tẽt", "úet"}) {
        EXPECT_FALSE(VietSpellingChecker::canBeVietnameseInProgress(u(word))) << word;
    }
}

TEST(VietSyllableTest, TonePositionsUnderBothRules) {
    struct Case {
        const char* word;
        std::optional<std::size_t> classic;
        std::optional<std::size_t> modern;
    };
    const Case cases[] = {
        {"hoa", 1, 2},  {"hoan", 2, 2}, {"quy", 2, 2},   {"gia", 2, 2},   {"người", 3, 3}, {"ướt", 1, 1},
        {"khuya", 3, 3}, {"tuấn", 2, 2}, {"khoe", 2, 3}, {"thuy", 2, 3},  {"mua", 1, 1},   {"ngoai", 3, 3},
        {"HOA", 1, 2},  {"ng", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VietSyllable::tonePosition(u(c.word), false), c.classic) << c.word;
        EXPECT_EQ(VietSyllable::tonePosition(u(c.word), true), c.modern) << c.word;
    }
}

TEST(VietWordValidatorTest, SpellingBodiesOfTheThreeMethods) {
    // Tone keys go wherever they were typed; mark keys fold into their letters.
    const std::pair<VietInputMethod, std::pair<const char*, const char*>> cases[] = {
        {VietInputMethod::telex, {"vieetj", "viêt"}},   {VietInputMethod::telex, {"tieesng", "tiêng"}},
        {VietInputMethod::telex, {"as", "a"}},          {VietInputMethod::telex, {"aws", "ă"}},
        {VietInputMethod::telex, {"test", "tet"}},      {VietInputMethod::telex, {"texs", "te"}},
        {VietInputMethod::telex, {"class", "clas"}},    {VietInputMethod::telex, {"DDaats", "Đât"}},
        {VietInputMethod::telex, {"VIEETJ", "VIÊT"}},   {VietInputMethod::telex, {"nhw", "như"}},
        {VietInputMethod::vni, {"vie6t5", "viêt"}},     {VietInputMethod::vni, {"vie65t", "viêt"}},
        {VietInputMethod::vni, {"a61", "â"}},           {VietInputMethod::viqr, {"vie^.t", "viêt"}},
        {VietInputMethod::viqr, {"DDu+'c", "Đưc"}},
    };
    for (const auto& [method, texts] : cases) {
        EXPECT_EQ(toUtf8(VietWordValidator::spellingBody(u(texts.first), method)), texts.second) << texts.first;
    }
    EXPECT_EQ(toUtf8(VietWordValidator::letterOnly(u("a-b'c 1"))), "abc1");
}

TEST(VietWordValidatorTest, ForeignLookingWords) {
    for (const char* word : {"window", "pa", "fa", "wa", "hello"}) {
        EXPECT_TRUE(VietWordValidator::looksLikeEnglish(u(word))) << word;
    }
    for (const char* word : {"", "an", "ba", "ph", "việt", "vie", "a", "uo", "ye"}) {
        EXPECT_FALSE(VietWordValidator::looksLikeEnglish(u(word))) << word;
    }
    // Only capitals inside a word count; a first capital or all capitals do not.
    for (const char* word : {"iPhone", "McKinsey", "HaNoi"}) EXPECT_TRUE(VietWordValidator::hasProperNounCaps(u(word))) << word;
    for (const char* word : {"Tiếng", "VIỆT", "Hanoi", "a", "I9"}) {
        EXPECT_FALSE(VietWordValidator::hasProperNounCaps(u(word))) << word;
    }
    EXPECT_TRUE(VietWordValidator::isCommonVietnameseCV(u("xe")));
    EXPECT_FALSE(VietWordValidator::isCommonVietnameseCV(u("ph")));

    using VietWordValidator::shouldPassThroughLiteral;
    EXPECT_TRUE(shouldPassThroughLiteral(u("Hanoi"), VietInputMethod::telex)) << "not a syllable in progress";
    EXPECT_TRUE(shouldPassThroughLiteral(u("iPhones"), VietInputMethod::telex));
    EXPECT_FALSE(shouldPassThroughLiteral(u("vieetj"), VietInputMethod::telex));
    EXPECT_FALSE(shouldPassThroughLiteral(u("Tieengs"), VietInputMethod::telex));
    EXPECT_FALSE(shouldPassThroughLiteral(u("VIEETJ"), VietInputMethod::telex));
    EXPECT_FALSE(shouldPassThroughLiteral(u("vie6t5"), VietInputMethod::vni));
    EXPECT_FALSE(shouldPassThroughLiteral(u("DDaats"), VietInputMethod::telex)) << "the second D is a key for Đ";
}

}  // namespace
}  // namespace zentrel::typing
