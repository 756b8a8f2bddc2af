// xterm as a test window: a line typed into the terminal, reported as the
// GTK and Qt windows report their entries (see TestWindowProcess.hpp), as
// both entries, "first" and "second" (a terminal has one line). xterm
// reaches IBus through XIM where XMODIFIERS names it, as on a desktop; it is
// started once that XIM server runs, since xterm looks for it only at start.
//   zentrel_terminal_window X Y            starts xterm at (X, Y) and relays what it reports
//   zentrel_terminal_window --field FIFO   inside xterm: keeps the line, reports to FIFO
// In the line, Backspace takes the last character, control+A empties it and
// Return shows as "⏎".

#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

long long monotonicMicros() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void writeAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t count = ::write(fd, text.data() + done, text.size() - done);
        if (count <= 0) return;
        done += static_cast<std::size_t>(count);
    }
}

// Where xterm's window and the middle of its text area are on the screen.
std::string layoutReport() {
    const char* window = std::getenv("WINDOWID");
    Display* display = XOpenDisplay(nullptr);
    if (window == nullptr || display == nullptr) return {};
    const auto xid = static_cast<Window>(std::strtoul(window, nullptr, 10));
    XWindowAttributes attributes{};
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XGetWindowAttributes(display, xid, &attributes) != 0) {
        XTranslateCoordinates(display, xid, DefaultRootWindow(display), attributes.width / 2, attributes.height / 2,
                              &x, &y, &child);
    }
    XCloseDisplay(display);
    return "window " + std::to_string(xid) + "\nentry first " + std::to_string(x) + " " + std::to_string(y) +
           "\nentry second " + std::to_string(x) + " " + std::to_string(y) + "\nready\n";
}

void eraseLastCharacter(std::string& line) {
    while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80) line.pop_back();
    if (!line.empty()) line.pop_back();
}

// The byte that ends a UTF-8 character, so that no half character is reported.
bool endsCharacter(const std::string& line) {
    std::size_t start = line.size();
    while (start > 0 && (static_cast<unsigned char>(line[start - 1]) & 0xC0) == 0x80) --start;
    if (start == 0) return line.empty();
    const auto lead = static_cast<unsigned char>(line[start - 1]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    return line.size() - (start - 1) == length;
}

int runField(const char* fifo) {
    const int reports = ::open(fifo, O_WRONLY | O_CLOEXEC);
    if (reports < 0) return 1;
    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    writeAll(reports, layoutReport());

    std::string line;
    unsigned char byte = 0;
    while (::read(STDIN_FILENO, &byte, 1) == 1) {
        const std::string before = line;
        if (byte == 0x7F || byte == 0x08) {
            eraseLastCharacter(line);
        } else if (byte == 0x01) {
            line.clear();
        } else if (byte == '\r') {
            line += "⏎";
        } else if (byte >= 0x20) {
            line.push_back(static_cast<char>(byte));
        }
        if (line == before || !endsCharacter(line)) continue;
        const std::string at = "\nat " + std::to_string(monotonicMicros()) + "\n";
        writeAll(reports, "text first " + line + at + "text second " + line + at);
        writeAll(STDOUT_FILENO, "\r\x1b[K" + line);
    }
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    return 0;
}

volatile std::sig_atomic_t stopAsked = 0;
void askStop(int) { stopAsked = 1; }

// Waits up to ten seconds for the XIM server XMODIFIERS names ("@im=ibus") to own its selection.
void waitForInputMethodServer() {
    const char* modifiers = std::getenv("XMODIFIERS");
    const std::string_view named = modifiers != nullptr ? modifiers : "";
    if (!named.starts_with("@im=")) return;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return;
    const std::string selection = "@server=" + std::string(named.substr(4));
    const Atom server = XInternAtom(display, selection.c_str(), False);
    for (int attempt = 0; attempt < 200 && XGetSelectionOwner(display, server) == None; ++attempt) ::usleep(50000);
    XCloseDisplay(display);
}

int runTerminal(const char* x, const char* y) {
    waitForInputMethodServer();
    char self[4096] = {};
    if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;
    char folder[] = "/tmp/zentrel-terminal-XXXXXX";
    if (::mkdtemp(folder) == nullptr) return 1;
    const std::string fifo = std::string(folder) + "/reports";
    if (::mkfifo(fifo.c_str(), 0600) != 0) return 1;
    // Open for writing too, so that reading never sees an end before xterm's child opens it.
    const int reports = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);

    struct sigaction stop {};
    stop.sa_handler = askStop;
    sigaction(SIGTERM, &stop, nullptr);
    const std::string geometry = std::string("60x3+") + x + "+" + y;
    const pid_t terminal = ::fork();
    if (terminal == 0) {
        ::setenv("LC_ALL", "C.UTF-8", 1);
        ::execlp("xterm", "xterm", "-u8", "-fa", "Monospace", "-title", "Terminal field", "-geometry", geometry.c_str(), "-e", self,
                 "--field", fifo.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    char buffer[4096];
    while (stopAsked == 0 && terminal > 0 && ::waitpid(terminal, nullptr, WNOHANG) == 0) {
        pollfd ready{reports, POLLIN, 0};
        if (::poll(&ready, 1, 200) <= 0) continue;
        const ssize_t count = ::read(reports, buffer, sizeof buffer);
        if (count > 0) writeAll(STDOUT_FILENO, std::string(buffer, static_cast<std::size_t>(count)));
    }
    if (terminal > 0 && stopAsked != 0) {
        ::kill(terminal, SIGTERM);
        ::waitpid(terminal, nullptr, 0);
    }
    ::unlink(fifo.c_str());
    ::rmdir(folder);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--field") == 0) return runField(argv[2]);
    return runTerminal(argc > 1 ? argv[1] : "0", argc > 2 ? argv[2] : "0");
}
