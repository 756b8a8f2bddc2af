// zentrel-cli speaks the desktop's language: every command over a fixture
// home prints in Vietnamese what it prints in English, and a script that
// forces the C locale gets English whatever LANGUAGE says.

#include "CliRunner.hpp"

#include "doubles/LinuxHomeFixture.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>

namespace zentrel::testing {
namespace {

constexpr const char* kEnglish = "LANGUAGE=en LANG=en_US.UTF-8";
constexpr const char* kVietnamese = "LANGUAGE=vi LANG=vi_VN.UTF-8";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The words of a line that read as English: runs of two or more ASCII
// letters, leaving out names (the commands', the fixture's browsers, profiles
// and applications), paths, options, sizes and stored data (the settings'
// values, the typing profile's JSON) that no language translates.
std::vector<std::string> englishWords(const std::string& line) {
    static const std::set<std::string> kNames = {
        "zentrel", "cli", "Zentrel", "CPU", "GPU", "RAPL", "KB", "MB", "GB", "TB", "VNI", "Telex", "VIQR", "Zswap",
        "energy", "Chrome", "Brave", "Firefox", "Default", "Profile", "Indexer"};
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string first;
    std::istringstream(line) >> first;
    if (first.starts_with("eco.") || first.find_first_of("\"{}") == 0) return words;
    for (std::string token; in >> token;) {
        if (token.find_first_of("/.-_=$%|[]@0123456789") != std::string::npos) continue;
        std::string word;
        for (const char c : token + " ") {
            if (std::isalpha(static_cast<unsigned char>(c))) {
                word += c;
                continue;
            }
            if (word.size() > 1 && !kNames.contains(word)) words.push_back(word);
            word.clear();
        }
    }
    return words;
}

TEST(CliLanguageTest, EveryCommandPrintsNoEnglishLineInVietnamese) {
    TempDir folder;
    const auto fixture = generateLinuxHome(folder.path());
    const auto home = fixture.home.string();
    const auto sys = fixture.systemRoot.string();
    const std::vector<std::vector<std::string>> runs = {
        {"help"},
        {"no-such-command"},
        {"scan", "--home", home, "--system-root", sys},
        {"scan", "--home", home, "--category", "Trash & Downloads"},
        {"scan", "--home", home, "--category", "none-such"},
        {"scan", "--home", home, "--layout", "none-such"},
        {"report", "--home", home, "--system-root", sys},
        {"status", "--home", home},
        {"top", "--home", home, "--limit", "3"},
        {"top", "--limit", "many"},
        {"top", "--bogus"},
        {"scan", "--home"},
        {"status", "--json=yes"},
        {"status", "stray"},
        {"energy"},
        {"apps", "--home", home, "--system-root", sys},
        {"apps", "--home", (folder.path() / "empty").string()},
        {"leftovers", "no.such.app", "--home", home},
        {"cookies", "--home", home},
        {"cookies", "--home", (folder.path() / "empty").string()},
        {"dupes", "--home", home},
        {"dupes", (folder.path() / "none-such").string()},
        {"clean", "--home", home},
        {"clean", "--home", home, "--select", "category:none-such"},
        {"undo", "--home", home},
        {"undo", "--home", home, "--sweep", "none-such"},
        {"resolve", "--home", home},
        {"intent"},
        {"intent", "Scan Category", "--home", home},
        {"check-updates"},
    };
    for (const auto& args : runs) {
        const auto english = runCliIn(kEnglish, args);
        const auto vietnamese = runCliIn(kVietnamese, args);
        EXPECT_EQ(vietnamese.status, english.status) << ::testing::PrintToString(args);
        EXPECT_FALSE(vietnamese.out.empty()) << ::testing::PrintToString(args);
        const auto englishLines = linesOf(english.out);
        const std::set<std::string> printedInEnglish(englishLines.begin(), englishLines.end());
        for (const auto& line : linesOf(vietnamese.out)) {
            if (!printedInEnglish.contains(line)) continue;
            EXPECT_TRUE(englishWords(line).empty())
                << "untranslated in " << ::testing::PrintToString(args) << ": " << line;
        }
    }
}

TEST(CliLanguageTest, TheCLocaleKeepsEnglishWhateverLanguageSays) {
    TempDir home;
    for (const std::vector<std::string>& args : {std::vector<std::string>{"help"},
                                                 std::vector<std::string>{"status", "--home", home.path().string()}}) {
        const auto english = runCliIn(kEnglish, args).out;
        EXPECT_NE(runCliIn(kVietnamese, args).out, english);
        EXPECT_EQ(runCliIn("LC_ALL=C LANGUAGE=vi LANG=vi_VN.UTF-8", args).out, english);
        EXPECT_EQ(runCliIn("LC_ALL=POSIX LANGUAGE=vi", args).out, english);
        EXPECT_EQ(runCliIn("LC_ALL=vi_VN.UTF-8", args).out, runCliIn(kVietnamese, args).out);
    }
}

}  // namespace
}  // namespace zentrel::testing
