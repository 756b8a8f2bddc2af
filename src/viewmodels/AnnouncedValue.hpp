#pragma once
// An observable value that tells its observers about every assignment, equal
// or not, for the few view-model properties whose screens redraw on each one
// (a refreshed process list, a selection changed in place). Everything else
// uses platform::Published, which tells only about changes.

#include "platform/Observable.hpp"

#include <functional>
#include <utility>

namespace zentrel::viewmodels {

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
        changed_.emit(value_);
    }

    template <class Mutator>
    void modify(Mutator&& mutate) {
        std::forward<Mutator>(mutate)(value_);
        changed_.emit(value_);
    }

    [[nodiscard]] platform::Subscription observe(std::function<void(const T&)> observer) {
        return changed_.subscribe(std::move(observer));
    }

private:
    T value_{};
    platform::Signal<T> changed_;
};

}  // namespace zentrel::viewmodels
