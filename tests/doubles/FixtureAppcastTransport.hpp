#pragma once
// A feed transport that serves fixture documents by address. It answers at
// once, or, with `holdAnswers`, only when the test calls answerHeld() (a
// fetch still under way). An address without a fixture fails.

#include "services/updates/AppcastTransport.hpp"

#include <map>
#include <string>
#include <vector>

namespace zentrel::testing {

class FixtureAppcastTransport final : public services::AppcastTransport {
public:
    std::map<std::string, std::string> documents;
    bool holdAnswers = false;
    std::vector<std::string> fetchedURLs;

    void fetch(const std::string& url, Done done) override {
        fetchedURLs.push_back(url);
        held_.push_back([this, url, done = std::move(done)] { done(answerFor(url)); });
        if (!holdAnswers) answerHeld();
    }

    void answerHeld() {
        auto answers = std::move(held_);
        held_.clear();
        for (auto& answer : answers) answer();
    }

private:
    services::AppcastFetchResult answerFor(const std::string& url) const {
        auto found = documents.find(url);
        if (found == documents.end()) return {std::nullopt, "no fixture for " + url};
        return {found->second, {}};
    }

    std::vector<std::function<void()>> held_;
};

}  // namespace zentrel::testing
