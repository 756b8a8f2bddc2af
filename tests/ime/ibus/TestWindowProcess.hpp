#pragma once
// One test window program (GTK or Qt) run for the input method's end-to-end
// test, and what it reports on standard output, one line each:
//   window XID            the top-level X window, once shown
//   entry NAME X Y        the centre of an entry, in screen coordinates
//   ready                 the layout lines are complete
//   text NAME TEXT        an entry's text after each change
//   preedit NAME TEXT     an entry's preedit after each change
//   at MICROSECONDS       when the change above happened (CLOCK_MONOTONIC)
// Every state of each entry is kept, so tests check how the text got there.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zentrel::testing {

struct EntryState {
    int x = 0;
    int y = 0;
    std::vector<std::string> texts;  // every text, oldest first
    std::vector<std::int64_t> textTimes;  // when each text appeared, microseconds of CLOCK_MONOTONIC
    std::string preedit;

    [[nodiscard]] std::string text() const { return texts.empty() ? std::string() : texts.back(); }
    // What the user sees: the text with the preedit at its end, where the tests type.
    [[nodiscard]] std::string shown() const { return text() + preedit; }
};

class TestWindowProcess {
public:
    // Starts `program` with the window's top-left corner at (x, y).
    TestWindowProcess(const std::filesystem::path& program, int x, int y);
    ~TestWindowProcess();
    TestWindowProcess(const TestWindowProcess&) = delete;
    TestWindowProcess& operator=(const TestWindowProcess&) = delete;

    // Reads what arrives until `done` holds or `limit` has passed; true when it held.
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));
    // Reads what arrives for a moment, so that late changes show.
    void settle(std::chrono::milliseconds span = std::chrono::milliseconds(300));

    [[nodiscard]] bool isReady() const { return ready_; }
    [[nodiscard]] unsigned long window() const { return window_; }
    [[nodiscard]] pid_t pid() const { return pid_; }
    [[nodiscard]] const EntryState& entry(const std::string& name) const;
    // The program's name, as the program reports itself to input methods.
    [[nodiscard]] std::string programName() const { return programName_; }
    // Everything the program said, for failure messages.
    [[nodiscard]] const std::string& transcript() const { return transcript_; }

private:
    void readAvailable(std::chrono::milliseconds wait);
    void parse(const std::string& line);

    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
    std::string transcript_;
    std::string programName_;
    std::string lastTextEntry_;  // the entry of the last text line, until its time arrives
    bool ready_ = false;
    unsigned long window_ = 0;
    std::map<std::string, EntryState, std::less<>> entries_;
};

}  // namespace zentrel::testing
