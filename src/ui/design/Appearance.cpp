#include "ui/design/Appearance.hpp"

#include <QApplication>
#include <QEvent>
#include <QPointer>

#include <vector>

namespace zentrel::ui {
namespace {

// One watcher on the application object, which is told of every palette
// change, for every widget that follows the appearance.
class AppearanceHub final : public QObject {
public:
    static AppearanceHub& shared() {
        static auto* hub = [] {
            auto* created = new AppearanceHub;
            QCoreApplication::instance()->installEventFilter(created);
            return created;
        }();
        return *hub;
    }

    void add(QWidget* widget, std::function<void()> apply) {
        apply();
        followers_.push_back({widget, std::move(apply)});
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange) {
            std::erase_if(followers_, [](const Follower& follower) { return follower.widget.isNull(); });
            // A callback may add followers: walk a copy.
            const auto followers = followers_;
            for (const auto& follower : followers) {
                if (!follower.widget.isNull()) follower.apply();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    struct Follower {
        QPointer<QWidget> widget;
        std::function<void()> apply;
    };
    std::vector<Follower> followers_;
};

}  // namespace

QPalette appPalette() { return QApplication::palette(); }

void followAppearance(QWidget* widget, std::function<void()> apply) {
    AppearanceHub::shared().add(widget, std::move(apply));
}

}  // namespace zentrel::ui
