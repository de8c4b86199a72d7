#include "shell/window/termination_watcher.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <array>
#include <csignal>

namespace velmoran::shell {
namespace {

// The write end for the handler and the read end for the event loop. A
// signal handler may do next to nothing: it writes one byte, which is safe
// at any moment.
int gPipe[2] = {-1, -1};

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};

extern "C" void onTerminate(int sig) {
    const auto byte = static_cast<unsigned char>(sig);
    const int saved = errno;
    [[maybe_unused]] const auto n = ::write(gPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    if (gPipe[0] != -1) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gPipe) != 0) {
        gPipe[0] = gPipe[1] = -1;
        return;
    }
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kSignals) ::sigaction(sig, &action, nullptr);
    notifier_ = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatcher::drain);
}

TerminationWatcher::~TerminationWatcher() {
    if (notifier_ == nullptr) return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int sig : kSignals) ::sigaction(sig, &action, nullptr);
    ::close(gPipe[0]);
    ::close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}

void TerminationWatcher::drain() {
    unsigned char byte = 0;
    bool asked = false;
    while (::read(gPipe[0], &byte, 1) == 1) asked = true;
    if (asked) Q_EMIT terminationRequested();
}

}  // namespace velmoran::shell
