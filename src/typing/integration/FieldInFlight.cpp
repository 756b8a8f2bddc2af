#include "typing/integration/FieldInFlight.hpp"

namespace zentrel::typing {
namespace {

constexpr std::size_t kKeptCharacters = 64;
// Edits still on their way after this many of the user's keys were never
// posted (a character no key could type): they are given up.
constexpr std::size_t kUserKeysBeforeGivingUp = 8;

// Does `edit` to `text`; false when it cannot be followed.
bool apply(std::u32string& text, const FieldInFlight::Edit& edit) {
    using Kind = FieldInFlight::Edit::Kind;
    switch (edit.kind) {
    case Kind::type: text.push_back(edit.character); return true;
    case Kind::erase:
        if (text.empty()) return false;
        text.pop_back();
        return true;
    case Kind::unknown: return false;
    }
    return false;
}

}  // namespace

void FieldInFlight::posted(Edit edit) {
    if (arrivalsReported_) {
        onTheirWay_.push_back(edit);
    } else {
        landed_.clear();
    }
}

void FieldInFlight::arrived() {
    arrivalsReported_ = true;
    userKeysSinceArrival_ = 0;
    if (onTheirWay_.empty()) return;
    const Edit edit = onTheirWay_.front();
    onTheirWay_.pop_front();
    // Erasing past what is known leaves the known end empty, still true.
    if (!apply(landed_, edit)) landed_.clear();
}

std::optional<FieldInFlight::Outcome> FieldInFlight::userKey(std::optional<char32_t> typed) {
    const Edit key = typed ? Edit{Edit::Kind::type, *typed} : Edit{Edit::Kind::erase};
    if (!onTheirWay_.empty() && ++userKeysSinceArrival_ > kUserKeysBeforeGivingUp) {
        onTheirWay_.clear();
        landed_.clear();
    }
    std::optional<Outcome> outcome;
    if (!onTheirWay_.empty()) {
        Outcome both{landed_, landed_};
        bool followed = apply(both.shown, key);
        for (const Edit& edit : onTheirWay_) followed = followed && apply(both.meant, edit) && apply(both.shown, edit);
        followed = followed && apply(both.meant, key);
        if (followed && both.meant != both.shown) outcome = std::move(both);
    }
    if (!apply(landed_, key)) landed_.clear();
    if (landed_.size() > kKeptCharacters) landed_.erase(0, landed_.size() - kKeptCharacters);
    return outcome;
}

void FieldInFlight::forget() { landed_.clear(); }

}  // namespace zentrel::typing
