#include "ime/FocusedClientProgram.hpp"
#include "ime/IBusClientName.hpp"

#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zentrel::ime {
namespace {

using namespace std::string_literals;

TEST(IBusClientNameTest, ToolkitModulesNameTheProgramOthersNone) {
    const std::vector<std::pair<std::string_view, std::optional<std::string>>> cases = {
        {"gtk3-im:gedit", "gedit"},
        {"gtk4-im:org.example.Notes", "org.example.Notes"},
        {"gtk-im:firefox", "firefox"},
        {"gtk3-im:", std::nullopt},
        {"QIBusInputContext", std::nullopt},
        {"xim", std::nullopt},
        {"fake", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [client, program] : cases) EXPECT_EQ(programNameOfIBusClient(client), program) << client;
}

TEST(IBusClientNameTest, OnlyQtLosesOrDoublesAPreeditWhenFocusMovesAndIsNamedFromItsProcess) {
    EXPECT_TRUE(isQtClient("QIBusInputContext"));
    EXPECT_FALSE(keepsPreeditOnFocusChange("QIBusInputContext"));
    for (const auto* other : {"gtk3-im:gedit", "xim", ""}) {
        EXPECT_FALSE(isQtClient(other)) << other;
        EXPECT_TRUE(keepsPreeditOnFocusChange(other)) << other;
    }
}

TEST(IBusClientNameTest, OnlyXimClientsGetKeysForwardedAfterTheWord) {
    EXPECT_TRUE(takesForwardedKeysInOrder("xim"));
    EXPECT_TRUE(takesForwardedKeysInOrder(""));
    for (const auto* other : {"gtk4-im:org.example.Notes", "gtk3-im:gedit", "QIBusInputContext", "fake"}) {
        EXPECT_FALSE(takesForwardedKeysInOrder(other)) << other;
    }
}

constexpr auto kQtModule =
    "7f2c1000-7f2c9000 r-xp 00000000 08:01 4242 /usr/lib/x86_64-linux-gnu/qt6/plugins/platforminputcontexts/"
    "libibusplatforminputcontextplugin.so\n";
constexpr auto kQtCore = "7f2d0000-7f2d9000 r-xp 00000000 08:01 4243 /usr/lib/x86_64-linux-gnu/libQt6Core.so.6.4.2\n";

TEST(IBusClientNameTest, AQtClientIsNamedAsTheTapNamesItsProcessOnlyWhenThatProcessUsesQtsIBusModule) {
    testing::TempDir proc;
    const struct {
        int pid;
        std::string cmdline;
        std::string maps;
        std::optional<std::string> program;
    } cases[] = {
        {10, "/usr/bin/okular\0doc.pdf\0"s, kQtCore + std::string(kQtModule), "okular"},
        {11, "/usr/bin/python3\0/home/u/notes.py\0"s, kQtModule, "notes.py"},  // as the tap names scripts
        // A window that came forward meanwhile, of a program that is no Qt client of IBus: never named.
        {12, "/usr/bin/gedit\0"s, "7f2c1000-7f2c9000 r-xp 00000000 08:01 4244 /usr/lib/libgtk-3.so.0\n", std::nullopt},
        {13, "/usr/bin/kate\0"s, kQtCore, std::nullopt},  // Qt, typing without IBus
        {14, "/usr/bin/kwrite\0"s, std::string(kQtModule).insert(std::string(kQtModule).size() - 1, " (deleted)"),
         std::nullopt},
    };
    for (const auto& process : cases) {
        proc.write(std::to_string(process.pid) + "/cmdline", process.cmdline);
        proc.write(std::to_string(process.pid) + "/maps", process.maps);
        EXPECT_EQ(programOfQtClientProcess(process.pid, proc.path()), process.program) << process.cmdline;
    }
    EXPECT_EQ(programOfQtClientProcess(15, proc.path()), std::nullopt) << "an ended process";
    EXPECT_EQ(programOfQtClientProcess(0, proc.path()), std::nullopt);
}

TEST(FocusedClientProgramTest, EachQuestionIsAnsweredOnTheEngineQueueFromTheFocusedProcess) {
    testing::TempDir proc;
    proc.write("20/cmdline", "/usr/bin/okular\0"s);
    proc.write("20/maps", kQtModule);
    testing::ManualMainQueue engine;
    std::optional<std::int64_t> focused = 20;
    FocusedClientProgram namer(engine, [&] { return [&] { return focused; }; }, proc.path());

    std::vector<std::optional<std::string>> answers;
    namer.ask([&](auto program) { answers.push_back(std::move(program)); });
    ASSERT_TRUE(engine.runUntil([&] { return answers.size() == 1; }));
    EXPECT_EQ(answers.back(), "okular");

    focused = std::nullopt;  // no window has the keyboard
    namer.ask([&](auto program) { answers.push_back(std::move(program)); });
    ASSERT_TRUE(engine.runUntil([&] { return answers.size() == 2; }));
    EXPECT_EQ(answers.back(), std::nullopt);
}

}  // namespace
}  // namespace zentrel::ime
