#include "shell/window/qt_display_environment.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QUrl>
#include <cmath>

namespace velmoran::shell {

std::int32_t QtDisplayEnvironment::pixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 96;  // no screen to measure: draw as designed
    return static_cast<std::int32_t>(std::lround(screen->logicalDotsPerInchX()));
}

void QtDisplayEnvironment::requestDisplayMode(std::int32_t width, std::int32_t height) {
    ++requests_;
    // The desktop stays as it is. The restoring request (0 x 0) at shut-down
    // has nothing to undo; a real size puts the window back in the corner.
    if (width == 0 && height == 0) return;
    if (window_ != nullptr) window_->move(0, 0);
}

LinkResult QtDisplayEnvironment::openLink(std::string_view address) {
    const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
    if (url.isValid() && QDesktopServices::openUrl(url)) return {true, 0};
    return {false, 0};
}

}  // namespace velmoran::shell
