#pragma once
// The thumbnails of one page, kept on the window's thread while the decoding
// runs elsewhere. Each picture is decoded at most once at a time and at most
// `maxRunning` at once, the others waiting in the order they were asked for;
// the last `capacity` results are kept, failures too, so a picture that
// cannot be decoded is not tried again.
//
//   book.request(path, show);            // answers at once when kept
//   for (auto& path : book.startable())  // decode each elsewhere, then:
//       book.finish(path, image);        // answers everyone who asked

#include <cstddef>
#include <deque>
#include <functional>
#include <list>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace zentrel::ui {

template <class Image>
class ThumbnailBook final {
public:
    // None: the picture has no thumbnail.
    using Ready = std::function<void(const std::optional<Image>&)>;

    ThumbnailBook(std::size_t capacity, std::size_t maxRunning) : capacity_(capacity), maxRunning_(maxRunning) {}

    // Answers from the kept results at once (true), or keeps `ready` until
    // the picture is decoded (false).
    bool request(const std::string& path, Ready ready) {
        if (const auto kept = kept_.find(path); kept != kept_.end()) {
            order_.splice(order_.end(), order_, kept->second.place);
            ready(kept->second.image);
            return true;
        }
        auto& waiters = waiters_[path];
        if (waiters.empty() && !running_.contains(path)) queue_.push_back(path);
        waiters.push_back(std::move(ready));
        return false;
    }

    // The pictures to decode now, each counted as running until it finishes.
    [[nodiscard]] std::vector<std::string> startable() {
        std::vector<std::string> paths;
        while (running_.size() < maxRunning_ && !queue_.empty()) {
            paths.push_back(queue_.front());
            running_.insert(queue_.front());
            queue_.pop_front();
        }
        return paths;
    }

    // A decode ended: keeps its result, dropping the least recently used
    // beyond the capacity, and answers everyone who asked for it.
    void finish(const std::string& path, std::optional<Image> image) {
        running_.erase(path);
        auto waiters = std::move(waiters_[path]);
        waiters_.erase(path);
        keep(path, image);
        for (const auto& ready : waiters) ready(image);
    }

    [[nodiscard]] std::size_t keptCount() const { return kept_.size(); }
    [[nodiscard]] std::size_t runningCount() const { return running_.size(); }

private:
    struct Kept {
        std::optional<Image> image;
        std::list<std::string>::iterator place;
    };

    void keep(const std::string& path, std::optional<Image> image) {
        if (capacity_ == 0) return;
        if (const auto kept = kept_.find(path); kept != kept_.end()) {
            order_.erase(kept->second.place);
            kept_.erase(kept);
        }
        if (kept_.size() >= capacity_) {
            kept_.erase(order_.front());
            order_.pop_front();
        }
        order_.push_back(path);
        kept_.emplace(path, Kept{std::move(image), std::prev(order_.end())});
    }

    std::size_t capacity_;
    std::size_t maxRunning_;
    std::unordered_map<std::string, Kept> kept_;
    std::list<std::string> order_;  // least recently used first
    std::deque<std::string> queue_;
    std::set<std::string> running_;
    std::unordered_map<std::string, std::vector<Ready>> waiters_;
};

}  // namespace zentrel::ui
