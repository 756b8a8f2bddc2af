#pragma once
// A defaults suite held in memory only: a scratch copy that a read-only
// command may change freely, and the store of tests.

#include "platform/settings/DefaultsStore.hpp"

#include <map>

namespace zentrel::platform {

class MemoryDefaultsStore final : public DefaultsStore {
public:
    MemoryDefaultsStore() = default;
    // Every value of `other`, copied.
    [[nodiscard]] static MemoryDefaultsStore copyOf(const DefaultsStore& other) {
        MemoryDefaultsStore copy;
        for (const auto& key : other.keys())
            if (auto stored = other.value(key)) copy.set(key, *stored);
        return copy;
    }

    [[nodiscard]] std::optional<DefaultsValue> value(std::string_view key) const override {
        auto found = values_.find(key);
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void set(std::string_view key, DefaultsValue value) override {
        values_.insert_or_assign(std::string(key), std::move(value));
    }
    void remove(std::string_view key) override {
        if (auto found = values_.find(key); found != values_.end()) values_.erase(found);
    }
    [[nodiscard]] std::vector<std::string> keys() const override {
        std::vector<std::string> result;
        for (const auto& [key, value] : values_) result.push_back(key);
        return result;
    }

private:
    std::map<std::string, DefaultsValue, std::less<>> values_;
};

}  // namespace zentrel::platform
