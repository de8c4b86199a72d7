#include "shell/window/qt_display_environment.h"

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QUrl>
#include <cmath>

extern char** environ;

namespace velmoran::shell {

namespace {

// Once the opener has done its work and ended, its process is collected, so
// that no finished opener lingers while the program runs.
void collectWhenEnded(pid_t pid) {
    const int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0) return;  // a system without process handles: collected at exit
    auto* ended = new QSocketNotifier(fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(ended, &QSocketNotifier::activated, ended, [ended, fd, pid] {
        ended->setEnabled(false);
        waitpid(pid, nullptr, WNOHANG);
        ::close(fd);
        ended->deleteLater();
    });
}

// Starts `program` with the one argument; 0, or the system's error number.
int start(const QByteArray& program, const QByteArray& argument) {
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(argument.constData()), nullptr};
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, program.constData(), nullptr, nullptr, argv, environ);
    if (error == 0) collectWhenEnded(pid);
    return error;
}

}  // namespace

std::int32_t QtDisplayEnvironment::pixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 96;  // no screen to measure: draw as designed
    return static_cast<std::int32_t>(std::lround(screen->logicalDotsPerInchX()));
}

void QtDisplayEnvironment::requestDisplayMode(std::int32_t width, std::int32_t height) {
    // The desktop stays as it is. The restoring request (0 x 0) at shut-down
    // has nothing to undo; a real size puts the window back in the corner.
    if (width == 0 && height == 0) return;
    if (window_ != nullptr) window_->move(0, 0);
}

LinkResult QtDisplayEnvironment::openLink(std::string_view address) {
    const QByteArray text(address.data(), static_cast<qsizetype>(address.size()));
    const int error = start(QFile::encodeName(opener_), text);
    if (error == 0) return {true, 0};
    const QUrl url(QString::fromUtf8(text));
    if (url.isValid() && QDesktopServices::openUrl(url)) return {true, 0};
    return {false, static_cast<std::int32_t>(error)};
}

}  // namespace velmoran::shell
