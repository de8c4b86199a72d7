#pragma once
// The desktop as Qt sees it: the primary screen's logical pixels per inch,
// the browser for web addresses, and the main window's placing. The desktop
// size is never changed: a request for another size is refused silently and
// only the window is put back in its place.

#include <QPointer>
#include <QWidget>

#include "shell/display_environment.h"

namespace velmoran::shell {

class QtDisplayEnvironment final : public DisplayEnvironment {
public:
    std::int32_t pixelsPerInch() override;
    void requestDisplayMode(std::int32_t width, std::int32_t height) override;
    LinkResult openLink(std::string_view address) override;

    // The window placed after a request for a desktop size.
    void setMainWindow(QWidget* window) { window_ = window; }
    // Requests seen so far (0 x 0 is the stored default).
    [[nodiscard]] int requests() const noexcept { return requests_; }

private:
    QPointer<QWidget> window_;
    int requests_ = 0;
};

}  // namespace velmoran::shell
