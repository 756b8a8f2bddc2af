#include "doubles/TranslationCoverage.hpp"
#include "platform/text/DesktopTexts.hpp"
#include "platform/text/MessagesLanguage.hpp"

#include <gtest/gtest.h>

#include <map>

namespace zentrel::platform {
namespace {

std::set<std::string, std::less<>> catalogKeys(std::string_view language) {
    std::set<std::string, std::less<>> keys;
    for (const auto& catalog : builtInCatalogs()) {
        if (catalog.language != language) continue;
        for (const auto& message : catalog.messages) keys.emplace(message.key);
    }
    return keys;
}

TEST(TranslationCatalogs, EveryKeyTheSourcesLookUpHasBothLanguagesAndNamesNoOtherSystem) {
    const auto& literals = testing::literalKeys();
    ASSERT_GT(literals.size(), 200u);
    for (const auto& problem : testing::translationProblems({literals.begin(), literals.end()})) ADD_FAILURE() << problem;
}

TEST(TranslationCatalogs, EachLanguageTranslatesTheSameKeys) {
    const auto english = catalogKeys("en"), vietnamese = catalogKeys("vi");
    ASSERT_FALSE(english.empty());
    for (const auto& key : english) EXPECT_TRUE(vietnamese.contains(key)) << "no vi entry: " << key;
    for (const auto& key : vietnamese) EXPECT_TRUE(english.contains(key)) << "no en entry: " << key;
}

TEST(TranslationCatalogs, NoTextOfEitherLanguageNamesAnotherSystem) {
    for (const char* language : {"en", "vi"}) {
        const auto problems = testing::translationProblems(catalogKeys(language));
        for (const auto& problem : problems) ADD_FAILURE() << problem;
    }
}

TEST(TranslationCatalogs, TheOtherSystemsWordsAreFound) {
    EXPECT_EQ(testing::otherSystemWords("Scanning your Mac\u2026"), std::vector<std::string>{"Mac"});
    EXPECT_EQ(testing::otherSystemWords("Quit (\u2318Q) from the Finder"), (std::vector<std::string>{"\u2318", "Finder"}));
    EXPECT_TRUE(testing::otherSystemWords("Machine learning, Macro, Ma c\u00e0").empty());
}

TEST(TranslationCatalogs, CountedTextsTakeTheirLanguagesPluralForm) {
    Localization& shared = Localization::shared();
    useDesktopTexts(shared, HostPlatform::linuxDesktop, [](const char* name) {
        return std::string_view(name) == "LANG" ? std::optional<std::string>("vi_VN.UTF-8") : std::nullopt;
    });
    EXPECT_EQ(shared.language(), "vi");
    EXPECT_EQ(localizedFormat("%lld items", {"1"}), "1 m\u1ee5c");
    EXPECT_EQ(localizedFormat("%lld items", {"2"}), "2 m\u1ee5c");
    shared.setLanguage("en");
    const std::map<std::pair<std::string, std::string>, std::string> cases{
        {{"%lld items", "1"}, "1 item"},
        {{"%lld items", "2"}, "2 items"},
        {{"%lld items", "0"}, "0 items"},
        {{"%lld item(s) could not be deleted", "1"}, "1 item could not be deleted"},
        {{"%lld item(s) could not be deleted", "3"}, "3 items could not be deleted"},
        {{"%1$lld of %2$lld items", "1"}, "1 of 1 item"},
    };
    for (const auto& [input, expected] : cases) {
        const auto& [key, count] = input;
        const std::vector<std::string> values =
            key.starts_with("%1$") ? std::vector<std::string>{count, count} : std::vector<std::string>{count};
        EXPECT_EQ(localizedFormat(key, values), expected) << key << " " << count;
    }
}

TEST(DesktopLanguage, TheFirstVietnameseOrEnglishChoiceOfTheEnvironment) {
    struct Case {
        std::map<std::string, std::string> environment;
        std::string language;
    };
    for (const auto& c : std::vector<Case>{
             {{}, "en"},
             {{{"LANG", "vi_VN.UTF-8"}}, "vi"},
             {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "vi_VN"}}, "vi"},
             {{{"LANG", "vi_VN.UTF-8"}, {"LC_ALL", "C"}}, "en"},
             {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "de:vi:en"}}, "vi"},
             {{{"LANG", "vi_VN.UTF-8"}, {"LANGUAGE", "en_GB:vi"}}, "en"},
             {{{"LANG", "vie"}}, "en"},
             {{{"LANGUAGE", "vi"}, {"LC_ALL", "C"}, {"LANG", "vi_VN.UTF-8"}}, "en"},
             {{{"LANGUAGE", "vi"}, {"LC_ALL", "POSIX"}}, "en"},
             {{{"LANGUAGE", "vi"}, {"LANG", "C.UTF-8"}}, "en"},
             {{{"LANGUAGE", "vi"}}, "en"},
             {{{"LANGUAGE", "vi"}, {"LANG", "en_US.UTF-8"}}, "vi"},
             {{{"LANG", "de_DE.UTF-8"}}, "en"},
         }) {
        const auto language = desktopLanguage([&c](const char* name) -> std::optional<std::string> {
            auto found = c.environment.find(name);
            return found == c.environment.end() ? std::nullopt : std::optional<std::string>(found->second);
        });
        EXPECT_EQ(language, c.language) << (c.environment.empty() ? "(empty)" : c.environment.begin()->second);
    }
}

TEST(DesktopLanguage, ALocalePicksTheLongestCatalogItNames) {
    constexpr std::string_view languages[] = {"en", "pt", "pt_BR", "vi"};
    const std::map<std::string_view, std::string_view> cases{
        {"pt_BR.UTF-8", "pt_BR"}, {"pt_PT", "pt"}, {"pt", "pt"}, {"vi@latin", "vi"},
        {"ptx", ""},             {"de_DE", ""},   {"p", ""},
    };
    for (const auto& [locale, language] : cases) EXPECT_EQ(catalogLanguageOf(locale, languages), language) << locale;
}

TEST(DesktopLanguage, TheMacLayoutKeepsTheKeysAsTheyStand) {
    Localization table;
    useDesktopTexts(table, HostPlatform::macos, [](const char*) { return std::optional<std::string>("vi_VN"); });
    EXPECT_EQ(table.language(), "en");
    EXPECT_EQ(table.lookup("Finder Recents"), "Finder Recents");
}

}  // namespace
}  // namespace zentrel::platform
