#pragma once
// Observation for view models and services, without a UI toolkit.
//
// `Signal<Args...>` calls its observers in the order they subscribed; the
// `Subscription` it returns ends the observation when destroyed.
// `Published<T>` holds one value and notifies only when a set changes it.
//
//   Published<int> count{0};
//   auto sub = count.observe([](const int& v) { redraw(v); });
//   count.set(1);  // notifies
//   count.set(1);  // same value: no notification

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace zentrel::platform {

class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    void reset() {
        if (cancel_) std::exchange(cancel_, nullptr)();
    }

private:
    std::function<void()> cancel_;
};

template <class... Args>
class Signal {
public:
    using Observer = std::function<void(const Args&...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Subscription subscribe(Observer observer) {
        auto id = nextId_++;
        slots_->push_back({id, std::make_shared<Observer>(std::move(observer))});
        std::weak_ptr<std::vector<Slot>> weak = slots_;
        return Subscription([weak, id] {
            if (auto slots = weak.lock()) std::erase_if(*slots, [id](const Slot& s) { return s.id == id; });
        });
    }

    // Observers added or removed while emitting take effect from the next emit.
    void emit(const Args&... args) const {
        auto snapshot = *slots_;
        for (const auto& slot : snapshot) (*slot.observer)(args...);
    }

    [[nodiscard]] std::size_t observerCount() const { return slots_->size(); }

private:
    struct Slot {
        std::size_t id;
        std::shared_ptr<Observer> observer;
    };
    std::shared_ptr<std::vector<Slot>> slots_ = std::make_shared<std::vector<Slot>>();
    std::size_t nextId_ = 0;
};

template <class T>
class Published {
public:
    Published() = default;
    explicit Published(T initial) : value_(std::move(initial)) {}
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    [[nodiscard]] const T& get() const { return value_; }
    [[nodiscard]] const T& operator()() const { return value_; }

    // Returns whether the value changed (and observers were told).
    bool set(T value) {
        if (value_ == value) return false;
        value_ = std::move(value);
        changed_.emit(value_);
        return true;
    }

    // Changes the value in place and notifies when it differs afterwards.
    template <class Mutator>
    bool modify(Mutator&& mutate) {
        T copy = value_;
        std::forward<Mutator>(mutate)(copy);
        return set(std::move(copy));
    }

    [[nodiscard]] Subscription observe(std::function<void(const T&)> observer) {
        return changed_.subscribe(std::move(observer));
    }

private:
    T value_{};
    Signal<T> changed_;
};

}  // namespace zentrel::platform
