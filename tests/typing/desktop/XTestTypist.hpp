#pragma once
// A person at the keyboard of an X display: types ASCII text and chords
// through XTEST from a connection of its own, a key every `pause`.

#include <chrono>
#include <string>

namespace zentrel::testing {

class XTestTypist final {
public:
    explicit XTestTypist(std::chrono::milliseconds pause = std::chrono::milliseconds(40));
    ~XTestTypist();
    XTestTypist(const XTestTypist&) = delete;
    XTestTypist& operator=(const XTestTypist&) = delete;

    [[nodiscard]] bool isConnected() const { return display_ != nullptr; }
    // Capitals and shifted characters with shift held, as a person types them.
    void type(const std::string& text);
    // Control and shift held around `key`.
    void controlShift(char key);

private:
    void key(unsigned long keysym, bool shifted, bool control);

    void* display_ = nullptr;
    std::chrono::milliseconds pause_;
};

}  // namespace zentrel::testing
