#include "ime/ZentrelIMKController.hpp"

#include "typing/engine/VietTables.hpp"
#include "typing/engine/VietText.hpp"

#include <algorithm>

namespace zentrel::ime {
namespace {

using Key = IMEKeyEvent::Key;

// Control and shift with V, nothing else held.
bool isProgramToggle(const IMEKeyEvent& event) {
    return event.control && event.shift && !event.option && !event.command &&
           (event.characters == "v" || event.characters == "V");
}

}  // namespace

const std::set<std::string, std::less<>> ZentrelIMKController::directInsertClients = {
    "com.apple.Spotlight", "com.raycast.macos", "com.runningwithcrayons.Alfred",
    "com.runningwithcrayons.Alfred-3", "com.apple.SecurityAgent",
};

ZentrelIMKController::ZentrelIMKController(SnapshotLoader loadSnapshot, platform::Signal<>& settingsChanged,
                                           ProgramToggle toggleProgram)
    : loadSnapshot_(std::move(loadSnapshot)), toggleProgram_(std::move(toggleProgram)) {
    const auto snapshot = loadSnapshot_();
    engine_.inputMethod = snapshot.inputMethod;
    engine_.options = snapshot.options;
    settingsObserver_ = settingsChanged.subscribe([this] { reloadSettings(); });
}

void ZentrelIMKController::reloadSettings() {
    const auto snapshot = loadSnapshot_();
    engine_.inputMethod = snapshot.inputMethod;
    engine_.options = snapshot.options;
}

bool ZentrelIMKController::handleEvent(const IMEKeyEvent& event, IMEClient* client) {
    if (event.type != IMEKeyEvent::Type::keyDown || client == nullptr) return false;

    // Typing turned off, or a password field: what is shown becomes final and keys pass.
    if (!loadSnapshot_().isEnabled || client->isSecureField()) return commitAndPassThrough(*client);

    const auto identity = client->identity();
    // The per-program switch, also where typing is off for the program: the
    // word so far is made final and the key goes no further.
    if (isProgramToggle(event) && identity && toggleProgram_) {
        endWord(*client);
        toggleProgram_(*identity);
        return true;
    }
    const auto snapshot = loadSnapshot_();
    const auto& excluded = snapshot.excludedApps;
    if (identity && std::find(excluded.begin(), excluded.end(), *identity) != excluded.end()) return false;
    useMarkedText_ = snapshot.useMarkedText && client->keepsMarkedText() &&
                     !(identity && directInsertClients.contains(*identity));

    if (event.command || (event.control && !event.option)) return commitAndPassThrough(*client);

    switch (event.key) {
    case Key::deleteKey: return handleDelete(*client);
    case Key::returnKey:
    case Key::keypadEnter:
    case Key::tab: return commitAndHandOn(*client);
    // Keys that leave the word: it is committed and the key does its own work.
    case Key::escape:
    case Key::navigation:
    case Key::function: return commitAndPassThrough(*client);
    case Key::character:
    case Key::other: break;
    }

    if (event.control && event.option && engine_.options.allowRawRestore) {
        if (const auto restored = engine_.restoreRawWord()) {
            showComposing(restored->insert, *client);
            return true;
        }
    }

    const auto characters = typing::toUtf32(event.characters);
    if (characters.empty()) return false;
    return handleCharacter(characters.front(), *client);
}

bool ZentrelIMKController::handleCharacter(char32_t character, IMEClient& client) {
    // Line breaks and tabs never become part of a word.
    if (character == U'\n' || character == U'\r' || character == U'\t') return commitAndHandOn(client);
    const auto result = engine_.processChar(character);
    if (!engine_.lastKeyEndedWord()) {
        showComposing(engine_.settledWord(), client);
        return true;
    }
    // The word ended: a restored word replaces the shown one, is committed,
    // then the breaker itself is written.
    if (result) showComposing(result->insert, client);
    commitComposing(client);
    engine_.reset();
    client.insertText(typing::toUtf8(std::u32string(1, character)));
    return true;
}

void ZentrelIMKController::commitComposition(IMEClient* client) {
    if (client != nullptr) commitComposing(*client);
}

void ZentrelIMKController::forgetWord() {
    composingText_.clear();
    directInsertLength_ = 0;
    engine_.reset();
}

void ZentrelIMKController::endWord(IMEClient& client) {
    if (const auto result = engine_.endWord()) showComposing(result->insert, client);
    commitComposing(client);
}

bool ZentrelIMKController::commitAndPassThrough(IMEClient& client) {
    endWord(client);
    return false;
}

bool ZentrelIMKController::commitAndHandOn(IMEClient& client) {
    endWord(client);
    return client.passKeyOn();
}

void ZentrelIMKController::commitComposing(IMEClient& client) {
    if (composingText_.empty()) return;
    if (useMarkedText_) {
        client.insertText(composingText_);
        client.setMarkedText("");
    }
    composingText_.clear();
    directInsertLength_ = 0;
}

void ZentrelIMKController::showComposing(const std::string& text, IMEClient& client) {
    if (text.empty()) {
        clearComposition(client);
        return;
    }
    if (useMarkedText_) {
        composingText_ = text;
        client.setMarkedText(text);
        return;
    }
    // Only what differs from the word in the field is deleted and written
    // again; the common beginning stays.
    const auto shown = typing::toUtf32(composingText_);
    const auto wanted = typing::toUtf32(text);
    const auto kept = static_cast<std::size_t>(
        std::mismatch(shown.begin(), shown.end(), wanted.begin(), wanted.end()).first - shown.begin());
    if (shown.size() > kept) client.deleteBeforeCaret(shown.size() - kept);
    if (wanted.size() > kept) client.insertText(typing::toUtf8(wanted.substr(kept)));
    composingText_ = text;
    directInsertLength_ = wanted.size();
}

void ZentrelIMKController::clearComposition(IMEClient& client) {
    if (useMarkedText_) {
        client.setMarkedText("");
    } else if (directInsertLength_ > 0) {
        client.deleteBeforeCaret(directInsertLength_);
    }
    composingText_.clear();
    directInsertLength_ = 0;
}

bool ZentrelIMKController::handleDelete(IMEClient& client) {
    if (engine_.rawInput().empty() && composingText_.empty()) return false;
    engine_.handleBackspace();
    const auto word = engine_.settledWord();
    if (!word.empty()) {
        showComposing(word, client);
        return true;
    }
    if (useMarkedText_) {
        clearComposition(client);
        return true;
    }
    // Direct insertion: the client deletes the word's last character itself.
    if (directInsertLength_ > 1) client.deleteBeforeCaret(directInsertLength_ - 1);
    composingText_.clear();
    directInsertLength_ = 0;
    return false;
}

}  // namespace zentrel::ime
