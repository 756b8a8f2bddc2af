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
    EXPECT_TRUE(VietSpellingChecker::isValidTypingSequence(u("")));
}

TEST(VietSyllableTest, WordsInProgress) {
    for (const char* word : {"", "ngh", "toan", "bla", "tr", "vie"}) {
        EXPECT_TRUE(VietSpellingChecker::canBeVietnameseInProgress(u(word))) << word;
    }
    for (const char* word : {"tex", "hello", "a1", "n1"}) {
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
    const std::pair<VietInputMethod, std::pair<const char*, const char*>> cases[] = {
        {VietInputMethod::telex, {"vieetj", "vieet"}}, {VietInputMethod::telex, {"tooans", "tooan"}},
        {VietInputMethod::telex, {"as", "a"}},         {VietInputMethod::telex, {"aws", "a"}},
        {VietInputMethod::telex, {"test", "test"}},    {VietInputMethod::telex, {"texs", "te"}},
        {VietInputMethod::telex, {"VIEETJ", "VIEET"}}, {VietInputMethod::vni, {"vie6t5", "viet"}},
        {VietInputMethod::vni, {"vie65t", "viet"}},    {VietInputMethod::vni, {"a61", "a"}},
        {VietInputMethod::viqr, {"vie^.t", "viet"}},
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
    for (const char* word : {"", "an", "ba", "ph", "việt", "vie", "a"}) {
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
}

}  // namespace
}  // namespace zentrel::typing
