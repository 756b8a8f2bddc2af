#pragma once
// A published property that announces every assignment, also of an equal
// value, and hands a new subscriber the current value first. Shared services
// whose observers expect that (the permission flags, the pending update) use
// it, and so do the view-model properties whose screens redraw on every
// assignment (a refreshed process list); other properties use `Published`,
// which announces only changes.
//
//   AnnouncedValue<bool> granted{false};
//   auto sub = granted.subscribe([](const bool& v) { redraw(v); });  // hears false
//   granted.set(false);                                               // hears false again

#include "platform/settings/Observable.hpp"

#include <functional>
#include <utility>

namespace zentrel::platform {

template <class T>
class AnnouncedValue {
public:
    AnnouncedValue() = default;
    explicit AnnouncedValue(T initial) : value_(std::move(initial)) {}
    AnnouncedValue(const AnnouncedValue&) = delete;
    AnnouncedValue& operator=(const AnnouncedValue&) = delete;

    [[nodiscard]] const T& get() const { return value_; }
    [[nodiscard]] const T& operator()() const { return value_; }

    void set(T value) {
        value_ = std::move(value);
        assigned_.emit(value_);
    }

    // Changes the value in place and announces it.
    template <class Mutator>
    void modify(Mutator&& mutate) {
        std::forward<Mutator>(mutate)(value_);
        assigned_.emit(value_);
    }

    // Calls the observer after every assignment, not with the current value.
    [[nodiscard]] Subscription observe(std::function<void(const T&)> observer) {
        return assigned_.subscribe(std::move(observer));
    }

    // Calls the observer at once with the current value, then after every set.
    [[nodiscard]] Subscription subscribe(std::function<void(const T&)> observer) {
        observer(value_);
        return assigned_.subscribe(std::move(observer));
    }

private:
    T value_{};
    Signal<T> assigned_;
};

}  // namespace zentrel::platform
