#pragma once
// The desktop as Qt sees it: the primary screen's logical pixels per inch,
// the browser for web addresses, and the main window's placing. The desktop
// size is never changed: a request for another size is refused silently and
// only the window is put back in its place.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/ports/display_environment.h"

namespace velmoran::shell {

class QtDisplayEnvironment final : public DisplayEnvironment {
public:
    std::int32_t pixelsPerInch() override;
    void requestDisplayMode(std::int32_t width, std::int32_t height) override;
    // Starts the desktop's opener with the address. Failing that, Qt's own
    // idea of a browser is tried; when that fails too, the answer carries
    // the system's error number from starting the opener.
    LinkResult openLink(std::string_view address) override;

    // The window placed after a request for a desktop size.
    void setMainWindow(QWidget* window) { window_ = window; }
    // The program that opens addresses (found on the PATH unless it names a
    // file): the desktop's own, xdg-open, unless changed.
    void setOpener(const QString& program) { opener_ = program; }

private:
    QPointer<QWidget> window_;
    QString opener_ = QStringLiteral("xdg-open");
};

}  // namespace velmoran::shell
