#pragma once
// Ends the window program as its Quit does when it is asked to stop (SIGTERM,
// SIGINT, SIGHUP), so that everything it changed on the desktop (the spare
// key codes of the key tap) is put back on the way out. The signal handler
// only writes to a pipe; the main loop reads it and quits.

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace zentrel::app {

class QuitOnSignal final : public QObject {
public:
    QuitOnSignal();
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zentrel::app
