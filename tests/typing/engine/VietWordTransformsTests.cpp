#include "typing/engine/VietTables.hpp"
#include "typing/engine/VietText.hpp"
#include "typing/engine/VietWordTransforms.hpp"

#include <gtest/gtest.h>

namespace zentrel::typing {
namespace {

std::u32string u(std::string_view utf8) { return toUtf32(utf8); }
std::string s(const std::optional<std::u32string>& text) { return text ? toUtf8(*text) : "(none)"; }

TEST(VietTablesTest, EveryFormDecomposesToItsRowAndColumnAndBack) {
    ASSERT_EQ(toneTable().size(), 12u);
    ASSERT_EQ(charDecompose().size(), 72u);
    for (const auto& [base, forms] : toneTable()) {
        for (int tone = 0; tone < 6; ++tone) {
            const auto form = forms[static_cast<std::size_t>(tone)];
            const auto [foundBase, foundTone] = decompose(form);
            EXPECT_EQ(foundBase, base);
            EXPECT_EQ(foundTone, tone);
            EXPECT_EQ(toneForm(foundBase, foundTone), form);
            // Capitals are looked up in lower case.
            EXPECT_EQ(decompose(upperCased(form)).base, base);
        }
    }
    EXPECT_EQ(baseLetter(U'Ư'), U'ư');
    EXPECT_EQ(baseLetter(U'ấ'), U'â');
    EXPECT_EQ(baseLetter(U'B'), U'b');
    EXPECT_EQ(wordBreakers.size(), 31u);
}

TEST(VietWordTransformsTest, TonesLandOnTheirVowelKeepCaseAndToggle) {
    EXPECT_EQ(s(applyTone(u("Â"), 1, false)), "Ấ");
    EXPECT_EQ(s(applyTone(u("hoa"), 2, false)), "hòa");
    EXPECT_EQ(s(applyTone(u("hoa"), 2, true)), "hoà");
    EXPECT_EQ(s(applyTone(u("hòa"), 2, false)), "hoa") << "the same tone again removes it";
    EXPECT_EQ(s(applyTone(u("hòa"), 1, false)), "hóa");
    EXPECT_EQ(s(applyTone(u("TUÂN"), 1, false)), "TUẤN");
    EXPECT_EQ(s(applyTone(u("ng"), 1, false)), "(none)");
    EXPECT_EQ(s(applyTone(u(""), 1, false)), "(none)");

    EXPECT_EQ(s(removeToneAtPosition(u("người"), false)), "ngươi");
    EXPECT_EQ(s(removeToneAtPosition(u("ngươi"), false)), "(none)");
    EXPECT_EQ(s(removeAllTones(u("Việt Nám"))), "Viêt Nam");
    EXPECT_EQ(s(removeAllTones(u("viêt"))), "(none)");
}

TEST(VietWordTransformsTest, MarksGoOnTheLastLetterAndComeBack) {
    EXPECT_EQ(s(applyMark(u("ứ"), telexModifiers(), U'w')), "ú") << "the tone stays when the horn goes";
    EXPECT_EQ(s(applyMark(u("A"), telexModifiers(), U'a')), "Â");
    EXPECT_EQ(s(applyMark(u("tó"), telexModifiers(), U'o')), "tố");
    EXPECT_EQ(s(applyMark(u("toio"), telexModifiers(), U'o')), "toiô") << "only the last letter is reached";
    EXPECT_EQ(s(applyMark(u("tâo"), telexModifiers(), U'o')), "(none)") << "a doubled letter after a marked vowel";
    EXPECT_EQ(s(applyMark(u("d"), vniModifiers(), U'9')), "đ");
    EXPECT_EQ(s(applyMark(u("hb"), telexModifiers(), U'w')), "(none)");

    EXPECT_EQ(s(undoMark(u("tấ"), telexModifiers(), U'a')), "tá");
    EXPECT_EQ(s(undoMark(u("Đ"), vniModifiers(), U'9')), "D");
    EXPECT_EQ(s(undoMark(u("b"), telexModifiers(), U'a')), "(none)");

    auto plain = stripMarks(u("xin chào"));
    EXPECT_FALSE(plain.changed);
    auto stripped = stripMarks(u("Đương ổn"));
    EXPECT_TRUE(stripped.changed);
    EXPECT_EQ(toUtf8(stripped.text), "Dương ôn") << "modified vowels only lose their tone";
    EXPECT_TRUE(hasVietnameseMark(u("đi")));
    EXPECT_FALSE(hasVietnameseMark(u("di")));
}

TEST(VietWordTransformsTest, WordsSettleAsTheyGrow) {
    EXPECT_EQ(s(hornedBeforeFinal(u("nguơi"))), "ngươi");
    EXPECT_EQ(s(hornedBeforeFinal(u("BUƠC"))), "BƯƠC");
    EXPECT_EQ(s(hornedBeforeFinal(u("thuở"))), "(none)") << "no final yet";
    EXPECT_EQ(s(hornedBeforeFinal(u("quơn"))), "(none)") << "qu keeps its u";

    EXPECT_EQ(s(tonePlaced(u("hòan"), false)), "hoàn");
    EXPECT_EQ(s(tonePlaced(u("lọai"), false)), "loại");
    EXPECT_EQ(s(tonePlaced(u("hòa"), false)), "(none)");
    EXPECT_EQ(s(tonePlaced(u("hòa"), true)), "hoà");
    EXPECT_EQ(s(tonePlaced(u("HÒAN"), true)), "HOÀN");
}

TEST(VietWordTransformsTest, KeysThatTypeAWord) {
    const std::tuple<VietInputMethod, const char*, const char*> cases[] = {
        {VietInputMethod::telex, "đẹ", "ddej"},      {VietInputMethod::telex, "Người", "Nguwowif"},
        {VietInputMethod::telex, "ĂN", "AWN"},       {VietInputMethod::vni, "đẹ", "d9e5"},
        {VietInputMethod::vni, "người", "ngu7o7i2"}, {VietInputMethod::viqr, "được", "ddu+o+c."},
        {VietInputMethod::telex, "clas", "clas"},
    };
    for (const auto& [method, word, keys] : cases) EXPECT_EQ(toUtf8(typedKeys(u(word), method)), keys) << word;
}

}  // namespace
}  // namespace zentrel::typing
