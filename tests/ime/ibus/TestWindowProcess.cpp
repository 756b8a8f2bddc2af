#include "TestWindowProcess.hpp"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zentrel::testing {

TestWindowProcess::TestWindowProcess(const std::filesystem::path& program, int x, int y)
    : programName_(program.filename().string()) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    const std::string path = program.string();
    const std::string left = std::to_string(x);
    const std::string top = std::to_string(y);
    char* arguments[] = {const_cast<char*>(path.c_str()), const_cast<char*>(left.c_str()),
                         const_cast<char*>(top.c_str()), nullptr};
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, arguments, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
    (void)waitUntil([this] { return ready_; }, std::chrono::seconds(10));
}

TestWindowProcess::~TestWindowProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0) ::close(output_);
}

bool TestWindowProcess::waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || output_ < 0) return false;
        readAvailable(std::min(left, std::chrono::milliseconds(50)));
    }
    return true;
}

void TestWindowProcess::settle(std::chrono::milliseconds span) {
    (void)waitUntil([] { return false; }, span);
}

const EntryState& TestWindowProcess::entry(const std::string& name) const {
    static const EntryState none;
    const auto found = entries_.find(name);
    return found == entries_.end() ? none : found->second;
}

void TestWindowProcess::readAvailable(std::chrono::milliseconds wait) {
    pollfd ready{output_, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(wait.count())) <= 0) return;
    char buffer[4096];
    const ssize_t count = ::read(output_, buffer, sizeof buffer);
    if (count <= 0) {
        // The program ended.
        ::close(output_);
        output_ = -1;
        return;
    }
    pending_.append(buffer, static_cast<std::size_t>(count));
    for (auto end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n')) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        transcript_ += line + "\n";
        parse(line);
    }
}

void TestWindowProcess::parse(const std::string& line) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "ready") {
        ready_ = true;
    } else if (kind == "window") {
        words >> window_;
    } else if (kind == "entry") {
        std::string name;
        words >> name;
        auto& state = entries_[name];
        words >> state.x >> state.y;
    } else if (kind == "text" || kind == "preedit") {
        std::string name;
        words >> name;
        // The text is the rest of the line after one space.
        std::string text;
        if (words.peek() == ' ') words.get();
        std::getline(words, text);
        auto& state = entries_[name];
        if (kind == "text") {
            state.texts.push_back(text);
            lastTextEntry_ = name;
        } else {
            state.preedit = text;
            lastTextEntry_.clear();
        }
    } else if (kind == "at" && !lastTextEntry_.empty()) {
        std::int64_t micros = 0;
        words >> micros;
        entries_[lastTextEntry_].textTimes.push_back(micros);
        lastTextEntry_.clear();
    }
}

}  // namespace zentrel::testing
