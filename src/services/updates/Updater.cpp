#include "services/updates/Updater.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/Warnings.hpp"

namespace zentrel::services {

namespace {

bool isUsableFeedAddress(const std::string& url) {
    return url.starts_with("https://") || url.starts_with("http://") || url.starts_with("file:///") ||
           url.starts_with("/");
}

}  // namespace

Updater::Updater(platform::MainQueue& main, platform::TimerScheduler& timers, AppcastTransport& transport,
                 UpdateUserDriver& userDriver, UpdaterDelegate& delegate)
    : timers_(timers),
      transport_(transport),
      userDriver_(userDriver),
      delegate_(delegate),
      callbacks_(main) {}

void Updater::setAutomaticallyChecksForUpdates(bool on) {
    automatic_ = on;
    schedule();
}

std::optional<std::string> Updater::start() {
    auto url = delegate_.feedURLString();
    if (!isUsableFeedAddress(url)) {
        startError_ = platform::localizedFormat("The update feed address is not usable: \"%@\"", {url});
        return startError_;
    }
    feedURL_ = std::move(url);
    startError_.reset();
    schedule();
    return std::nullopt;
}

void Updater::schedule() {
    if (!automatic_ || !feedURL_) {
        firstCheck_.cancel();
        repeatingChecks_.cancel();
        return;
    }
    if (repeatingChecks_.isActive()) return;
    firstCheck_ = timers_.scheduleOnce(platform::Duration::zero(), [this] { checkForUpdatesInBackground(); });
    repeatingChecks_ = timers_.scheduleRepeating(kCheckInterval, [this] { checkForUpdatesInBackground(); });
}

void Updater::checkForUpdates() {
    if (startError_) {
        userDriver_.showUpdateError(*startError_);
        delegate_.didFinishUpdateCycle();
        return;
    }
    begin(true);
}

void Updater::checkForUpdatesInBackground() {
    if (feedURL_) begin(false);
}

void Updater::begin(bool userInitiated) {
    if (checkIsUserInitiated_) {
        if (userInitiated) checkIsUserInitiated_ = true;
        return;
    }
    checkIsUserInitiated_ = userInitiated;
    // The feed is read where it arrives, off the main thread for the real
    // transport; only the items come back.
    transport_.fetch(*feedURL_, [finishOnMain = callbacks_.wrap([this](const AppcastParseResult& feed) {
                                     finish(feed);
                                 })](AppcastFetchResult fetched) {
        finishOnMain(fetched.document ? parseAppcast(*fetched.document)
                                      : AppcastParseResult{{}, std::move(fetched.error)});
    });
}

void Updater::finish(const AppcastParseResult& feed) {
    const bool userInitiated = checkIsUserInitiated_.value_or(false);
    checkIsUserInitiated_.reset();
    if (feed.error) {
        // A user's check shows its error; a scheduled one has only the log.
        if (userInitiated) {
            userDriver_.showUpdateError(*feed.error);
        } else {
            platform::warn("Could not check for updates: " + *feed.error);
        }
    } else if (auto best = delegate_.bestValidUpdate(feed.items)) {
        delegate_.didFindValidUpdate(*best);
        if (userInitiated) {
            userDriver_.showUpdateFound(*best);
            delegate_.didReceiveUserAttention(*best);
        }
    } else if (userInitiated) {
        userDriver_.showUpToDate();
    }
    delegate_.didFinishUpdateCycle();
}

}  // namespace zentrel::services
