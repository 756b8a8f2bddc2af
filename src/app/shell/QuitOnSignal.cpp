#include "app/shell/QuitOnSignal.hpp"

#include <QCoreApplication>

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace zentrel::app {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr unsigned kLeavingSeconds = 4;
int pipeEnds[2] = {-1, -1};

void noteSignal(int) {
    const char byte = 1;
    (void)!::write(pipeEnds[1], &byte, 1);
}

}  // namespace

QuitOnSignal::QuitOnSignal() {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [] {
        char byte = 0;
        while (::read(pipeEnds[0], &byte, 1) > 0) {
        }
        // Leaving must never hang on a worker stuck in a call: a few seconds
        // on, the alarm's default action ends the process, and the next start
        // frees the spare key codes this run could not put back.
        ::alarm(kLeavingSeconds);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

QuitOnSignal::~QuitOnSignal() {
    for (const int signal : kSignals) std::signal(signal, SIG_DFL);
    notifier_.reset();
    for (int& end : pipeEnds) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

}  // namespace zentrel::app
