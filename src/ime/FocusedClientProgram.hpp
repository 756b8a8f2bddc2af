#pragma once
// Names the program behind an input-method client that names none itself
// (Qt's module): from the process of the window that has the keyboard, as
// the key tap names it, asked on a thread of its own so that the engine's
// thread never waits on the display. Questions asked while one is being
// answered share the next answer; answers are posted to the engine's queue.

#include "platform/concurrency/Executor.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zentrel::ime {

class FocusedClientProgram final {
public:
    // The process of the window that has the keyboard; none when unknown.
    using FocusedProcess = std::function<std::optional<std::int64_t>()>;
    using Answer = std::function<void(std::optional<std::string> program)>;

    // `makeFocusedProcess` runs on the worker's thread, which alone uses what it makes.
    FocusedClientProgram(platform::MainQueue& engineQueue, std::function<FocusedProcess()> makeFocusedProcess,
                         std::filesystem::path procRoot = "/proc");
    // Never waits for a question being answered: the thread ends after it.
    ~FocusedClientProgram();
    FocusedClientProgram(const FocusedClientProgram&) = delete;
    FocusedClientProgram& operator=(const FocusedClientProgram&) = delete;

    // The program of the Qt client that has just gained the focus (see
    // programOfQtClientProcess); none when it cannot be told.
    void ask(Answer answer);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

}  // namespace zentrel::ime
