#pragma once
// The slot behind a shared service's `shared()`: the program tells it once how
// to make the service, and the first use makes it. Main thread only.
//
//   LazyShared<Service> slot;
//   slot.configure([&] { return std::make_unique<Service>(deps); });
//   slot.get().doSomething();

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace zentrel::services {

template <class T>
class LazyShared {
public:
    using Factory = std::function<std::unique_ptr<T>()>;

    explicit LazyShared(std::string name) : name_(std::move(name)) {}
    LazyShared(const LazyShared&) = delete;
    LazyShared& operator=(const LazyShared&) = delete;

    // Replaces the factory; an instance made before stays.
    void configure(Factory factory) { factory_ = std::move(factory); }

    // Throws std::logic_error when used before configure().
    [[nodiscard]] T& get() {
        if (!instance_) {
            if (!factory_) throw std::logic_error(name_ + " was used before the program configured it");
            instance_ = factory_();
        }
        return *instance_;
    }

    [[nodiscard]] bool exists() const { return instance_ != nullptr; }

private:
    std::string name_;
    Factory factory_;
    std::unique_ptr<T> instance_;
};

}  // namespace zentrel::services
