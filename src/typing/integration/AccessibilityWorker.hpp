#pragma once
// The accessibility tree of other applications, asked from a thread of its
// own so that the window's thread never waits on the accessibility bus. The
// tree is made on that thread (its bus connection and loop context live
// there), focused contexts are read there and handed back through the main
// queue, and direct writes of a field are made there. Questions asked while
// one is being answered share the next answer. Whether the bus answers at
// all is asked there too, first.

#include "platform/accessibility/AccessibilityElements.hpp"
#include "platform/concurrency/Executor.hpp"
#include "typing/integration/FocusContextSource.hpp"
#include "typing/integration/FocusedTextWriter.hpp"

#include <memory>

namespace zentrel::typing {

class AccessibilityWorker final : public FocusContextSource, public FocusedTextWriter {
public:
    using ReachCheck = std::function<bool()>;
    using ElementsFactory = std::function<std::unique_ptr<platform::AccessibilityElements>(bool busReachable)>;

    // Both run on the worker's thread, the check first, its answer handed to
    // the factory. Until the check has said yes, direct writes are refused
    // (the bridge types keys instead).
    AccessibilityWorker(platform::MainQueue& main, ReachCheck busReachable, ElementsFactory makeElements);
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
};

}  // namespace zentrel::typing
