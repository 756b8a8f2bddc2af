// File names with control characters and stray bytes in what zentrel-cli
// prints: quoted as a shell reads them on a terminal, escaped in a pipe and
// in JSON, never written as they are.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace zentrel::testing {
namespace {

struct TrickyName {
    std::string name;         // on disk
    std::string onTerminal;   // the name's part of the quoted path
    std::string inPipe;       // as escaped
};

const std::vector<TrickyName> kNames = {
    {"esc\x1b[2J.bin", "esc'$'\\033''[2J.bin", "esc\\x1b[2J.bin"},
    {"new\nline.bin", "new'$'\\n''line.bin", "new\\nline.bin"},
    {"tab\there.bin", "tab'$'\\t''here.bin", "tab\\there.bin"},
    {"del\x7f.bin", "del'$'\\177''.bin", "del\\x7f.bin"},
    {"bad\xff\xfe.bin", "bad'$'\\377\\376''.bin", "bad\\xff\\xfe.bin"},
    {"c1\xc2\x9b" "2J.bin", "c1'$'\\302\\233''2J.bin", "c1\\xc2\\x9b2J.bin"},
};

// A home whose Downloads hold one copy of a file under each tricky name.
class TerminalNamesTest : public ::testing::Test {
protected:
    TerminalNamesTest() {
        const std::string content(120000, 'd');
        dir.write("home/Downloads/plain.bin", content);
        for (const auto& tricky : kNames) dir.write("home/Downloads/" + tricky.name, content);
        dir.makeDirectory("sys");
    }
    [[nodiscard]] std::string downloads() const { return (dir / "home/Downloads/").string(); }
    [[nodiscard]] std::vector<std::string> withHome(std::vector<std::string> args) const {
        args.insert(args.end(), {"--home", (dir / "home").string(), "--system-root", (dir / "sys").string()});
        return args;
    }
    static void expectNoControlBytes(const std::string& text) {
        for (char c : {'\x1b', '\x7f', '\t', '\xff'})
            EXPECT_EQ(text.find(c), std::string::npos) << static_cast<int>(static_cast<unsigned char>(c)) << "\n" << text;
    }
    TempDir dir;
};

TEST_F(TerminalNamesTest, DupesQuotesNamesOnATerminalAndEscapesThemInAPipe) {
    const auto shown = runCli({"dupes", downloads()}, {.terminal = CliRun::Terminal::output});
    ASSERT_EQ(shown.status, 0) << shown.err;
    for (const auto& tricky : kNames)
        EXPECT_NE(shown.out.find("'" + downloads() + tricky.onTerminal + "'\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find(downloads() + "plain.bin\n"), std::string::npos) << "a plain name is not quoted";

    const auto piped = runCli({"dupes", downloads()});
    ASSERT_EQ(piped.status, 0) << piped.err;
    for (const auto& tricky : kNames)
        EXPECT_NE(piped.out.find(downloads() + tricky.inPipe + "\n"), std::string::npos) << piped.out;
    for (const auto* out : {&shown.out, &piped.out}) {
        std::string names = *out;
        for (std::size_t at = names.find('\t'); at != std::string::npos; at = names.find('\t')) names.erase(at, 1);
        expectNoControlBytes(names);  // the tabs between columns aside
    }
}

TEST_F(TerminalNamesTest, TheReportQuotesNamesOnATerminal) {
    const auto report = runCli(withHome({"report", "--layout", "linux"}), {.terminal = CliRun::Terminal::output});
    ASSERT_EQ(report.status, 0) << report.err;
    // The copy kept is not listed.
    std::size_t quoted = 0;
    for (const auto& tricky : kNames)
        quoted += report.out.find("Path: '" + downloads() + tricky.onTerminal + "'\n") != std::string::npos ? 1 : 0;
    EXPECT_GE(quoted, kNames.size() - 1) << report.out;
    expectNoControlBytes(report.out);
}

TEST_F(TerminalNamesTest, JsonEscapesControlCharactersAndKeepsTheExactBytes) {
    const auto scan = runCli(withHome({"scan", "--layout", "linux", "--category", "duplicates", "--json"}),
                             {.terminal = CliRun::Terminal::output});
    ASSERT_EQ(scan.status, 0) << scan.err;
    expectNoControlBytes(scan.out);
    EXPECT_EQ(scan.out.find("\xc2\x9b"), std::string::npos);
    EXPECT_NE(scan.out.find("\\u001b"), std::string::npos) << scan.out;
    std::vector<std::string> paths;
    for (const auto& item : nlohmann::json::parse(scan.out)) paths.push_back(item.at("path").get<std::string>());
    for (const auto& tricky : kNames) {
        if (tricky.name.find('\xff') != std::string::npos) continue;  // not UTF-8: its exact bytes go in "pathBytes"
        EXPECT_NE(std::find(paths.begin(), paths.end(), downloads() + tricky.name), paths.end()) << tricky.inPipe;
    }
}

}  // namespace
}  // namespace zentrel::testing
