#pragma once
// A defaults suite held in memory only.

#include "platform/DefaultsStore.hpp"

#include <map>

namespace zentrel::testing {

class InMemoryDefaultsStore final : public platform::DefaultsStore {
public:
    [[nodiscard]] std::optional<platform::DefaultsValue> value(std::string_view key) const override {
        auto found = values_.find(key);
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void set(std::string_view key, platform::DefaultsValue value) override {
        values_.insert_or_assign(std::string(key), std::move(value));
    }
    void remove(std::string_view key) override { values_.erase(std::string(key)); }
    [[nodiscard]] std::vector<std::string> keys() const override {
        std::vector<std::string> result;
        for (const auto& [key, value] : values_) result.push_back(key);
        return result;
    }

private:
    std::map<std::string, platform::DefaultsValue, std::less<>> values_;
};

}  // namespace zentrel::testing
