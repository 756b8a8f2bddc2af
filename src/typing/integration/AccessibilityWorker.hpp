#pragma once
// The accessibility tree of other applications, asked from a thread of its
// own so that the window's thread never waits on the accessibility bus. The
// tree is made on that thread (its bus connection and loop context live
// there), focused contexts are read there and handed back through the main
// queue, and direct writes of a field are made there. Questions asked while
// one is being answered share the next answer.

#include "platform/accessibility/AccessibilityElements.hpp"
#include "platform/concurrency/Executor.hpp"
#include "typing/integration/FocusContextSource.hpp"
#include "typing/integration/FocusedTextWriter.hpp"

#include <memory>

namespace zentrel::typing {

class AccessibilityWorker final : public FocusContextSource, public FocusedTextWriter {
public:
    using ElementsFactory = std::function<std::unique_ptr<platform::AccessibilityElements>()>;

    // `makeElements` runs on the worker's thread; `writable`: whether direct
    // writes can reach a field at all (false: the bridge types keys instead).
    AccessibilityWorker(platform::MainQueue& main, ElementsFactory makeElements, bool writable);
    // Never waits for a question being answered: the thread ends after it.
    ~AccessibilityWorker() override;
    AccessibilityWorker(const AccessibilityWorker&) = delete;
    AccessibilityWorker& operator=(const AccessibilityWorker&) = delete;

    void capture(Handler done) override;
    // Hands the write to the worker: true when it was handed over.
    [[nodiscard]] bool replaceFocusedValue(const std::string& displayed, const std::string& target) override;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    bool writable_;
};

}  // namespace zentrel::typing
