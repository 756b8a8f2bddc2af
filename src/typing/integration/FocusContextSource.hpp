#pragma once
// Where the typing manager gets the focused context from without waiting:
// it asks, and the answer comes later on the main thread.
// `ImmediateFocusContextSource` answers inside the call, from a detector
// over an accessibility tree that answers at once (tests, doubles).

#include "typing/integration/IMEContext.hpp"
#include "typing/integration/IMEContextDetector.hpp"

#include <functional>

namespace zentrel::typing {

class FocusContextSource {
public:
    using Handler = std::function<void(const IMEContext&)>;
    virtual ~FocusContextSource() = default;
    // Reads the focused context and hands it to `done` on the main thread.
    virtual void capture(Handler done) = 0;
};

class ImmediateFocusContextSource final : public FocusContextSource {
public:
    explicit ImmediateFocusContextSource(const IMEContextDetector& detector) : detector_(detector) {}
    void capture(Handler done) override { done(detector_.capture()); }

private:
    const IMEContextDetector& detector_;
};

}  // namespace zentrel::typing
