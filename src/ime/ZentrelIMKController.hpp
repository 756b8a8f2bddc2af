#pragma once
// One per text context of the input-method program: runs the Vietnamese
// engine on key-downs and writes the word being composed into the client,
// as marked text or by direct insertion. Its settings come only from the
// shared snapshot the main app writes, read again on every key and
// reloaded into the engine when the main app announces a change. Main
// thread only.

#include "ime/IMEClient.hpp"
#include "platform/settings/Observable.hpp"
#include "typing/engine/VietIMEEngine.hpp"
#include "typing/engine/VietIMESharedSnapshot.hpp"

#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace zentrel::ime {

class ZentrelIMKController {
public:
    using SnapshotLoader = std::function<typing::VietIMESharedSnapshot()>;

    // Clients that always get direct insertion, whatever the snapshot says.
    static const std::set<std::string, std::less<>> directInsertClients;

    // Asks the main app to switch typing for one program.
    using ProgramToggle = std::function<void(const std::string&)>;

    // `settingsChanged` fires when the main app announces new settings;
    // control+shift+V in a named program's field calls `toggleProgram`.
    ZentrelIMKController(SnapshotLoader loadSnapshot, platform::Signal<>& settingsChanged,
                         ProgramToggle toggleProgram = {});
    ZentrelIMKController(const ZentrelIMKController&) = delete;
    ZentrelIMKController& operator=(const ZentrelIMKController&) = delete;

    // True when the controller consumed the key.
    [[nodiscard]] bool handleEvent(const IMEKeyEvent& event, IMEClient* client);
    // The framework asks for the shown word to be made final; the engine keeps its word.
    void commitComposition(IMEClient* client);
    // The field lost focus or was reset: the next key starts a new word. The
    // client is not written to: by then it may be another field, so the
    // framework itself makes a shown marked word final where it was typed,
    // and a directly inserted word is already there.
    void forgetWord();

    void reloadSettings();

    [[nodiscard]] const typing::VietIMEEngine& engine() const { return engine_; }
    [[nodiscard]] const std::string& composingText() const { return composingText_; }
    [[nodiscard]] bool usesMarkedText() const { return useMarkedText_; }

private:
    void commitComposing(IMEClient& client);
    void showComposing(const std::string& text, IMEClient& client);
    void clearComposition(IMEClient& client);
    bool handleDelete(IMEClient& client);
    // Ends the word as a word breaker would and makes it final.
    void endWord(IMEClient& client);
    bool commitAndPassThrough(IMEClient& client);
    // For keys that end the word and act (Return, Tab): the key follows the
    // word on the same path where the client takes keys handed on, else it
    // goes back to the client unhandled.
    bool commitAndHandOn(IMEClient& client);
    bool handleCharacter(char32_t character, IMEClient& client);

    SnapshotLoader loadSnapshot_;
    ProgramToggle toggleProgram_;
    typing::VietIMEEngine engine_;
    std::string composingText_;
    std::size_t directInsertLength_ = 0;  // characters of `composingText_` inserted directly
    bool useMarkedText_ = true;
    platform::Subscription settingsObserver_;
};

}  // namespace zentrel::ime
